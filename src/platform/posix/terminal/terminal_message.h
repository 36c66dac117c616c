// A message written to the terminals where a user is logged on here, as write(1) does.
#pragma once

#include <cstdint>
#include <string>

#include "platform/text_rules.h"

namespace vtx::platform {

// Looks `user` up in the login records (utmp; compared without regard to case over A to Z)
// and writes the message to each of their terminals that accepts messages: 0 when one took
// it; 5 when the user is logged on but every terminal refuses (messages off, no right); 2
// when the user is not logged on here.
int32_t message_terminals(const std::string& user, const std::string& sender,
                          const std::string& message);

// The text as it goes to a terminal: the banner, then the message with control characters
// made visible (so a message cannot steer the terminal) and line ends as CR LF, then "EOF".
std::string terminal_message_text(const std::string& banner, const std::string& message,
                                  HighBytes high);

} // namespace vtx::platform
