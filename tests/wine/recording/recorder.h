// Shared by the recording stand-ins for NETAPI32.DLL, MPR.DLL and WINSPOOL.DRV, which exist
// for tests under Wine only and are never shipped. Each answers from recorded.ini and appends
// one line per call to recorded.log, both in the folder the library was loaded from (the
// case folder), so that a script changing its directory does not move them.
//
// A log line is "Entry|argument|argument...": texts as given (wide ones narrowed byte for
// byte), absent pointers as "(null)", numbers in decimal.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include <windows.h>

namespace rec {

// One log line, written when the object goes out of scope.
class Call {
  public:
    explicit Call(const char* entry) : line_(entry) {}
    ~Call();
    Call(const Call&) = delete;
    Call& operator=(const Call&) = delete;

    Call& text(const char* s);
    Call& text(const wchar_t* s);
    Call& number(long long n);

  private:
    std::string line_;
};

// The fixture's value, or the fallback when the key is absent.
std::string fixture(const char* section, const char* key, const char* fallback = "");
// Writes (or with a null value removes) one key of the fixture.
void set_fixture(const char* section, const char* key, const char* value);
// The keys of one section, in file order.
std::vector<std::string> fixture_keys(const char* section);
// The status the fixture orders for an entry ("[Status] Entry=code"), else 0.
DWORD forced_status(const char* entry);

// A comma-separated list, blanks around the items removed.
std::vector<std::string> split_list(const std::string& text);
bool same_name(const std::string& a, const std::string& b); // A to Z without regard to case
std::string narrow(const wchar_t* s);
std::wstring widen(const std::string& s);

// The current UTC time, or "[Time] Now" (YYYY-MM-DD hh:mm:ss) when the fixture gives one.
SYSTEMTIME recorded_time();

} // namespace rec
