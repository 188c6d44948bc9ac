"""End-to-end tests of corvane-cli dial (against a pseudo-terminal that plays the modem) and call
(against a stand-in ModemManager on a private bus and a stand-in tel: handler)."""

import json
import os
import select
import stat
import subprocess
import sys
import tty

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import clitest  # noqa: E402
from clitest import CliTestCase  # noqa: E402

FAKE_MODEMMANAGER = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "dialer",
                                 "fake_modemmanager.py")


def read_available(fd, wait=0.5):
    data = b""
    while select.select([fd], [], [], wait)[0]:
        try:
            chunk = os.read(fd, 1024)
        except OSError:
            break
        if not chunk:
            break
        data += chunk
        wait = 0.1
    return data


class DialTests(CliTestCase):
    def settings_bytes(self):
        with open(os.path.join(self.home, "CORVAN.ini"), "rb") as f:
            return f.read()

    def test_dry_run_prints_the_commands_from_the_settings(self):
        self.write_settings("[Dialing]\nPrefix=9,\nInit=S7=30\nPort=0\nMethod=0\n")
        out = self.ok("dial", "--dry-run", "555-1234")
        self.assertEqual(out, '{"port":"COM1","device":"/dev/ttyS0","sent":["ATS7=30\\r\\n",'
                              '"ATDT9,555-1234\\r\\n","ATH\\r\\n"]}\n')

    def test_options_override_the_settings_and_nothing_is_written(self):
        self.write_settings("[Dialing]\nPrefix=9,\nInit=S7=30\nPort=1\nCOM4=/dev/ttyACM0\n")
        before = self.settings_bytes()
        got = json.loads(self.ok("dial", "--dry-run", "--port", "4", "--prefix", "", "--init", "atz", "--pulse",
                                 "555\r\n1234"))
        self.assertEqual(got, {"port": "COM4", "device": "/dev/ttyACM0",
                               "sent": ["atz\r\n", "ATDP5551234\r\n", "ATH\r\n"]})
        self.assertEqual(json.loads(self.ok("dial", "--dry-run", "1"))["port"], "COM2")
        self.assertEqual(self.settings_bytes(), before)

    def test_the_bytes_reach_the_modem(self):
        master, slave = os.openpty()
        self.addCleanup(os.close, master)
        self.addCleanup(os.close, slave)
        tty.setraw(master)
        device = os.ttyname(slave)
        done = self.cli("dial", "--device", device, "--init", "S7=30", "--prefix", "9,", "--hangup-after", "0",
                        "555-1234")
        self.assertEqual(done.returncode, 0, done.err)
        self.assertEqual(json.loads(done.out), {"port": "COM1", "device": device,
                                                "sent": ["ATS7=30\r\n", "ATDT9,555-1234\r\n", "ATH\r\n"]})
        self.assertEqual(read_available(master), b"ATS7=30\r\nATDT9,555-1234\r\nATH\r\n")
        self.assertIn("Pick up phone", done.err)

    def test_an_unopenable_device_names_port_device_and_reason(self):
        self.write_settings("[Dialing]\nPort=2\n")
        done = self.cli("dial", "--device", "/nonexistent/modem", "555-1234")
        self.assertEqual(done.returncode, 1)
        self.assertEqual(done.out, "")
        lines = done.err.splitlines()
        self.assertEqual(lines[0], "corvane-cli: Unable to open COM3")
        self.assertTrue(lines[1].startswith("/nonexistent/modem: ") and len(lines[1]) > 20, lines)

    def test_wrong_arguments_fail(self):
        self.fails("dial", "--port", "5", "555-1234")
        self.fails("dial", "--hangup-after", "soon", "555-1234")
        self.fails("dial", "--port", "1", "--device", "/dev/ttyS0", "555-1234")
        self.fails("dial")


class CallTests(CliTestCase):
    def setUp(self):
        super().setUp()
        self.bin = self.path("bin")
        os.mkdir(self.bin)
        self.opened = self.path("opened.txt")
        self.env["PATH"] = self.bin + ":" + self.env["PATH"]
        self.env["CORVANE_TELEPHONY_BUS"] = "session"
        self.env["DBUS_SESSION_BUS_ADDRESS"] = "unix:path=/nonexistent/corvane-bus"
        self.script("xdg-open", "echo \"$1\" >> '%s'\n" % self.opened)
        self.script("xdg-mime", "exit 0\n")

    def script(self, name, body):
        path = os.path.join(self.bin, name)
        with open(path, "w") as f:
            f.write("#!/bin/sh\n" + body)
        os.chmod(path, stat.S_IRWXU)

    def with_handler(self):
        self.script("xdg-mime", "echo org.example.Phone.desktop\n")

    def test_no_service_says_so_on_stderr(self):
        done = self.cli("call", "555-1234")
        self.assertEqual(done.returncode, 1)
        self.assertEqual(done.out, "")
        self.assertEqual(done.err, "Error!! - No TAPI devices found\n")
        self.assertEqual(self.ok("call", "--list"), "[]\n")

    def test_the_tel_handler_takes_the_call(self):
        self.with_handler()
        self.assertEqual(json.loads(self.ok("call", "--list")),
                         [{"service": "tel", "device": "org.example.Phone.desktop"}])
        self.assertEqual(self.ok("call", "--prefix", "9,", "555-1234"), "TAPI started\nDialing\n")
        for _ in range(50):
            if os.path.exists(self.opened):
                break
            select.select([], [], [], 0.1)
        with open(self.opened) as f:
            self.assertEqual(f.read(), "tel:9,555-1234\n")

    def start_modemmanager(self):
        fake = subprocess.Popen(["dbus-run-session", "--", "/usr/bin/python3", FAKE_MODEMMANAGER],
                                stdin=subprocess.PIPE, stdout=subprocess.PIPE)
        self.addCleanup(fake.wait, 10)
        self.addCleanup(fake.stdin.close)
        self.env["DBUS_SESSION_BUS_ADDRESS"] = fake.stdout.readline().decode().strip()
        return fake

    def test_modemmanager_calls_until_the_line_is_free(self):
        self.with_handler()  # never reached: ModemManager comes first
        self.start_modemmanager()
        listed = json.loads(self.ok("call", "--list"))
        self.assertEqual(listed[0], {"service": "ModemManager", "device": "/org/freedesktop/ModemManager1/Modem/0"})
        self.assertEqual(self.ok("call", "555-0101").splitlines(),
                         ["TAPI started", "Dialing", "Proceeding...", "Connected: ", "Disconnected: normal...", "Idle"])
        self.assertEqual(self.ok("call", "--hangup-after", "0.3", "555-0100").splitlines(),
                         ["TAPI started", "Dialing", "Proceeding...", "Connected: ", "Disconnected: normal...", "Idle"])
        self.assertEqual(self.ok("call", "555-0199").splitlines(),
                         ["TAPI started", "Dialing", "Proceeding...", "Busy...", "Idle"])
        self.assertFalse(os.path.exists(self.opened))


if __name__ == "__main__":
    clitest.main()
