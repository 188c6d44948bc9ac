#pragma once
// The serial port a modem hangs on, as the dialer needs it: opened for writing by one program at a
// time, written, closed. The program's port is a QSerialPort; tests give their own.

#include <string>

#include "platform/Result.h"

namespace corvane {

class ModemPort {
  public:
    virtual ~ModemPort() = default;
    // The error names the device and the system's reason.
    virtual Status Open(const std::string& device) = 0;
    // Done only when every byte has left for the device.
    virtual bool Write(const std::string& bytes) = 0;
    virtual void Close() = 0;
    virtual bool IsOpen() const = 0;
};

} // namespace corvane
