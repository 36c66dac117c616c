// The program version, in one place: the usage text, @VTX and the release packages read it.
#pragma once

#define VTX32_VERSION_TEXT "3.34"
