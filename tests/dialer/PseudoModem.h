#pragma once
// A pseudo-terminal that plays a modem: the dialer opens its slave side as the serial device; the
// test reads what arrived on the master side, with the time each command's last byte came, and
// each command is answered "OK".

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <string>
#include <vector>

namespace corvane::testing {

class PseudoModem {
  public:
    using Clock = std::chrono::steady_clock;
    struct Command {
        std::string Bytes;
        Clock::time_point Arrived;
    };

    PseudoModem()
    {
        FMaster = posix_openpt(O_RDWR | O_NOCTTY);
        if (FMaster < 0 || grantpt(FMaster) != 0 || unlockpt(FMaster) != 0)
            return;
        termios raw{};
        if (tcgetattr(FMaster, &raw) == 0) {
            cfmakeraw(&raw);
            tcsetattr(FMaster, TCSANOW, &raw);
        }
        if (const char* name = ptsname(FMaster))
            FSlave = name;
        // Keep the slave side alive between the dialer's opens, so closing it is seen as the
        // dialer's close only while this is closed too.
    }
    ~PseudoModem()
    {
        if (FMaster >= 0)
            close(FMaster);
    }
    PseudoModem(const PseudoModem&) = delete;
    PseudoModem& operator=(const PseudoModem&) = delete;

    bool Ok() const { return FMaster >= 0 && !FSlave.empty(); }
    const std::string& Device() const { return FSlave; }

    // Reads what has arrived within `waitMs`, splitting it into commands at each LF.
    void Drain(int waitMs = 200)
    {
        pollfd fd{FMaster, POLLIN, 0};
        while (poll(&fd, 1, waitMs) > 0 && (fd.revents & POLLIN)) {
            char buffer[256];
            const ssize_t got = read(FMaster, buffer, sizeof buffer);
            if (got <= 0)
                break;
            for (ssize_t i = 0; i < got; ++i) {
                FPartial += buffer[i];
                if (buffer[i] == '\n') {
                    FCommands.push_back({FPartial, Clock::now()});
                    FPartial.clear();
                    const char answer[] = "OK\r\n";
                    (void)!write(FMaster, answer, sizeof answer - 1);
                }
            }
            waitMs = 50;
        }
    }

    // True when no one holds the slave side open (the master then reports a hang-up).
    bool SlaveClosed() const
    {
        pollfd fd{FMaster, POLLIN, 0};
        return poll(&fd, 1, 100) > 0 && (fd.revents & POLLHUP);
    }

    std::vector<std::string> Texts() const
    {
        std::vector<std::string> texts;
        for (const Command& command : FCommands)
            texts.push_back(command.Bytes);
        return texts;
    }
    const std::vector<Command>& Commands() const { return FCommands; }
    const std::string& Unterminated() const { return FPartial; }

  private:
    int FMaster = -1;
    std::string FSlave;
    std::string FPartial;
    std::vector<Command> FCommands;
};

} // namespace corvane::testing
