#include "dialer/SerialModemPort.h"

#include <QSerialPort>

namespace corvane {

SerialModemPort::SerialModemPort() : FPort(std::make_unique<QSerialPort>()) {}

SerialModemPort::~SerialModemPort()
{
    Close();
}

Status SerialModemPort::Open(const std::string& device)
{
    Close();
    FPort->setPortName(QString::fromStdString(device));
    // QSerialPort takes the port exclusively (a lock file and TIOCEXCL), so a second program (or a
    // second Dial) cannot write into the middle of a command.
    if (!FPort->open(QIODevice::WriteOnly))
        return Status::Error(device + ": " + FPort->errorString().toStdString());
    return Status::Success();
}

bool SerialModemPort::Write(const std::string& bytes)
{
    if (!FPort->isOpen())
        return false;
    const qint64 written = FPort->write(bytes.data(), static_cast<qint64>(bytes.size()));
    if (written != static_cast<qint64>(bytes.size()))
        return false;
    // write() only queues the bytes; the command is sent when the queue is empty.
    while (FPort->bytesToWrite() > 0) {
        if (!FPort->waitForBytesWritten(WriteTimeoutMs))
            return false;
    }
    return true;
}

void SerialModemPort::Close()
{
    if (FPort->isOpen())
        FPort->close();
}

bool SerialModemPort::IsOpen() const
{
    return FPort->isOpen();
}

} // namespace corvane
