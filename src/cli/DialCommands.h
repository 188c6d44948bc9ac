#pragma once
// Dialing from corvane-cli: the modem job of the dialing window and the call window's job, on the
// windows' own logic. Each returns the process exit status.

#include <string>
#include <vector>

namespace corvane::cli {

// dial [--port 1-4 | --device PATH] [--prefix P] [--init S] [--pulse] [--hangup-after SECONDS]
//   [--dry-run] NUMBER: dials through the modem with the defaults of section "Dialing" (never
// written here); "Pick up phone" waits for a line on stdin, or SECONDS with --hangup-after. Prints
// {"port":"COM1","device":"/dev/ttyS0","sent":["ATS7=30\r\n","ATDT9,555-1234\r\n","ATH\r\n"]};
// --dry-run opens nothing and prints the same.
int RunDial(const std::vector<std::string>& arguments);

// call [--prefix P] [--hangup-after SECONDS] NUMBER: calls through the telephony service, printing
// each status line as it comes, until the line is free again. call --list: the services' devices
// as a JSON list.
int RunCall(const std::vector<std::string>& arguments);

} // namespace corvane::cli
