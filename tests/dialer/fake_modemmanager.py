#!/usr/bin/python3
"""A stand-in ModemManager for the telephony tests: one voice modem on the session bus.

Run under dbus-run-session. Prints the bus address once the name is taken, then one line per
method call it receives ("CreateCall <number>", "Start <path>", "Hangup <path>",
"DeleteCall <path>"). How a started call goes depends on its number:
  555-0100  dialing, ringing out, active; terminated (normal) when hung up
  555-0101  dialing, ringing out, active, then terminated (normal) by the other side
  555-0199  dialing, ringing out, terminated (busy)
  555-0666  Start fails
"""

import os
import sys

import dbus
import dbus.mainloop.glib
import dbus.service
from gi.repository import GLib

SERVICE = "org.freedesktop.ModemManager1"
ROOT = "/org/freedesktop/ModemManager1"
MODEM = ROOT + "/Modem/0"
VOICE = "org.freedesktop.ModemManager1.Modem.Voice"
CALL = "org.freedesktop.ModemManager1.Call"

DIALING, RINGING_OUT, ACTIVE, TERMINATED = 1, 2, 4, 7
REASON_OUTGOING, REASON_ACCEPTED, REASON_TERMINATED, REASON_BUSY = 1, 3, 4, 5

STEP_MS = 20


def log(text):
    print(text, flush=True)


class Call(dbus.service.Object):
    def __init__(self, bus, path, number):
        super().__init__(bus, path)
        self.path = path
        self.number = number
        self.state = 0

    def step(self, state, reason):
        old, self.state = self.state, state
        self.StateChanged(old, state, reason)
        return False

    def later(self, steps):
        delay = 0
        for state, reason in steps:
            delay += STEP_MS
            GLib.timeout_add(delay, self.step, state, reason)

    @dbus.service.method(CALL, in_signature="", out_signature="")
    def Start(self):
        log("Start " + self.path)
        if self.number == "555-0666":
            raise dbus.exceptions.DBusException("no network", name="org.freedesktop.ModemManager1.Error.Core.Failed")
        steps = [(DIALING, REASON_OUTGOING), (RINGING_OUT, REASON_OUTGOING)]
        if self.number == "555-0199":
            steps.append((TERMINATED, REASON_BUSY))
        else:
            steps.append((ACTIVE, REASON_ACCEPTED))
            if self.number == "555-0101":
                steps.append((TERMINATED, REASON_TERMINATED))
        self.later(steps)

    @dbus.service.method(CALL, in_signature="", out_signature="")
    def Hangup(self):
        log("Hangup " + self.path)
        if self.state == TERMINATED:
            raise dbus.exceptions.DBusException("already over", name="org.freedesktop.ModemManager1.Error.Core.WrongState")
        self.later([(TERMINATED, REASON_TERMINATED)])

    @dbus.service.signal(CALL, signature="iiu")
    def StateChanged(self, old, new, reason):
        pass


class Modem(dbus.service.Object):
    def __init__(self, bus):
        super().__init__(bus, MODEM)
        self.bus = bus
        self.calls = {}
        self.count = 0

    @dbus.service.method(VOICE, in_signature="a{sv}", out_signature="o")
    def CreateCall(self, properties):
        number = str(properties.get("number", ""))
        log("CreateCall " + number)
        self.count += 1
        path = "%s/Call/%d" % (ROOT, self.count)
        self.calls[path] = Call(self.bus, path, number)
        return dbus.ObjectPath(path)

    @dbus.service.method(VOICE, in_signature="o", out_signature="")
    def DeleteCall(self, path):
        log("DeleteCall " + str(path))
        call = self.calls.pop(str(path), None)
        if call is not None:
            call.remove_from_connection()


class Manager(dbus.service.Object):
    def __init__(self, bus):
        super().__init__(bus, ROOT)

    @dbus.service.method("org.freedesktop.DBus.ObjectManager", in_signature="", out_signature="a{oa{sa{sv}}}")
    def GetManagedObjects(self):
        empty = dbus.Dictionary({}, signature="sv")
        return dbus.Dictionary(
            {dbus.ObjectPath(MODEM): dbus.Dictionary({"org.freedesktop.ModemManager1.Modem": empty, VOICE: empty},
                                                     signature="sa{sv}")},
            signature="oa{sa{sv}}")


def main():
    dbus.mainloop.glib.DBusGMainLoop(set_as_default=True)
    bus = dbus.SessionBus()
    name = dbus.service.BusName(SERVICE, bus)
    objects = [Manager(bus), Modem(bus)]
    log(os.environ["DBUS_SESSION_BUS_ADDRESS"])
    loop = GLib.MainLoop()
    # Ends with its test: stdin closes when the test process goes.
    GLib.io_add_watch(sys.stdin, GLib.IO_HUP | GLib.IO_IN, lambda *a: loop.quit() or False)
    loop.run()
    del name, objects


if __name__ == "__main__":
    main()
