#pragma once
// The modem port on a serial device (a /dev/ttyS* port, a USB modem's /dev/ttyACM*), opened
// write-only and exclusively.

#include <memory>

#include "dialer/ModemPort.h"

class QSerialPort;

namespace corvane {

class SerialModemPort : public ModemPort {
  public:
    // How long one write may take to leave before it counts as failed.
    static constexpr int WriteTimeoutMs = 5000;

    SerialModemPort();
    ~SerialModemPort() override;

    Status Open(const std::string& device) override;
    bool Write(const std::string& bytes) override;
    void Close() override;
    bool IsOpen() const override;

  private:
    std::unique_ptr<QSerialPort> FPort;
};

} // namespace corvane
