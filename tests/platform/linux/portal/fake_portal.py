#!/usr/bin/python3
# SPDX-License-Identifier: MIT
# A desktop portal with screen sharing, for tests: it asks no one and answers as told. Its control object
# (org.lumvex.test.FakePortal, /control) sets the answers, lists the calls it got, closes the session from
# the desktop's side and makes the portal vanish from the bus and come back.
# Usage: fake_portal.py READY_FILE
import json
import socket

import dbus
import dbus.service

import fake_bus

PORTAL = 'org.freedesktop.portal.Desktop'
CONTROL = 'org.lumvex.test.FakePortal'
PATH = '/org/freedesktop/portal/desktop'
SCREENCAST = 'org.freedesktop.portal.ScreenCast'

DEFAULTS = {
    'version': 4,
    'sourceTypes': 1,
    'cursorModes': 3,
    'screenCast': True,        # whether the interface exists at all
    'responses': {},           # method -> response code, 0 when not named
    'respond': 'early',        # 'early': before the call returns, 'never'
    'restoreToken': True,      # hand out a new token after each Start
    'streams': [[42, [0, 0], [1920, 1080]]],
    'pipeWire': 'dead',        # 'dead': a socket whose other end is closed, 'silent': one that never answers
}


def plain(value):
    if isinstance(value, dbus.Boolean):
        return bool(value)
    if isinstance(value, dict):
        return {str(k): plain(v) for k, v in value.items()}
    if isinstance(value, (list, tuple)):
        return [plain(v) for v in value]
    if isinstance(value, int):  # the dbus integer types among them
        return int(value)
    return str(value)


class Request(dbus.service.Object):
    def __init__(self, portal, path):
        super().__init__(portal.bus, path)
        self.portal = portal
        self.path = path

    @dbus.service.signal('org.freedesktop.portal.Request', signature='ua{sv}')
    def Response(self, response, results):
        pass

    @dbus.service.method('org.freedesktop.portal.Request')
    def Close(self):
        self.portal.calls.append({'method': 'Request.Close', 'path': self.path})
        self.remove_from_connection()


class Session(dbus.service.Object):
    def __init__(self, portal, path):
        super().__init__(portal.bus, path)
        self.portal = portal
        self.path = path

    @dbus.service.method('org.freedesktop.portal.Session')
    def Close(self):
        self.portal.calls.append({'method': 'Session.Close', 'path': self.path})
        self.portal.sessions.pop(self.path, None)
        self.remove_from_connection()

    @dbus.service.signal('org.freedesktop.portal.Session', signature='a{sv}')
    def Closed(self, details):
        pass


class Portal(dbus.service.Object):
    def __init__(self, bus):
        super().__init__(bus, PATH)
        self.bus = bus
        self.reset()

    def reset(self):
        self.scenario = json.loads(json.dumps(DEFAULTS))
        self.calls = []
        self.sessions = {}
        self.tokens = 0
        self.sockets = []

    def sender_part(self, sender):
        return sender[1:].replace('.', '_')

    def answer(self, method, sender, options, results):
        path = '%s/request/%s/%s' % (PATH, self.sender_part(sender), options['handle_token'])
        request = Request(self, path)
        response = dbus.UInt32(self.scenario['responses'].get(method, 0))
        results = dbus.Dictionary(results if response == 0 else {}, signature='sv')
        if self.scenario['respond'] == 'early':
            request.Response(response, results)
            request.remove_from_connection()
        return dbus.ObjectPath(path)

    def record(self, method, options, **more):
        entry = {'method': method, 'options': plain(options)}
        entry.update(more)
        self.calls.append(entry)

    @dbus.service.method(SCREENCAST, in_signature='a{sv}', out_signature='o', sender_keyword='sender')
    def CreateSession(self, options, sender=None):
        self.record('CreateSession', options)
        path = '%s/session/%s/%s' % (PATH, self.sender_part(sender), options['session_handle_token'])
        if self.scenario['responses'].get('CreateSession', 0) == 0:
            self.sessions[path] = Session(self, path)
        return self.answer('CreateSession', sender, options, {'session_handle': path})

    @dbus.service.method(SCREENCAST, in_signature='oa{sv}', out_signature='o', sender_keyword='sender')
    def SelectSources(self, session, options, sender=None):
        self.record('SelectSources', options, session=str(session))
        if str(session) not in self.sessions:
            raise dbus.exceptions.DBusException('Invalid session', name='org.freedesktop.DBus.Error.AccessDenied')
        return self.answer('SelectSources', sender, options, {})

    @dbus.service.method(SCREENCAST, in_signature='osa{sv}', out_signature='o', sender_keyword='sender')
    def Start(self, session, parent, options, sender=None):
        self.record('Start', options, session=str(session))
        streams = dbus.Array([dbus.Struct((dbus.UInt32(node), dbus.Dictionary({
            'position': dbus.Struct((dbus.Int32(pos[0]), dbus.Int32(pos[1])), signature='ii'),
            'size': dbus.Struct((dbus.Int32(size[0]), dbus.Int32(size[1])), signature='ii'),
            'source_type': dbus.UInt32(1)}, signature='sv')), signature='ua{sv}')
            for node, pos, size in self.scenario['streams']], signature='(ua{sv})')
        results = {'streams': streams}
        if self.scenario['restoreToken']:
            self.tokens += 1
            results['restore_token'] = 'token-%d' % self.tokens
            results['persist_mode'] = dbus.UInt32(2)
        return self.answer('Start', sender, options, results)

    @dbus.service.method(SCREENCAST, in_signature='oa{sv}', out_signature='h')
    def OpenPipeWireRemote(self, session, options):
        self.record('OpenPipeWireRemote', options, session=str(session))
        ours, theirs = socket.socketpair()
        if self.scenario['pipeWire'] == 'dead':
            ours.close()
        else:
            self.sockets.append(ours)
        fd = dbus.types.UnixFd(theirs.fileno())
        theirs.close()
        return fd

    @dbus.service.method(dbus.PROPERTIES_IFACE, in_signature='s', out_signature='a{sv}')
    def GetAll(self, interface):
        if interface != SCREENCAST or not self.scenario['screenCast']:
            raise dbus.exceptions.DBusException('No such interface', name='org.freedesktop.DBus.Error.InvalidArgs')
        return dbus.Dictionary({'version': dbus.UInt32(self.scenario['version']),
                                'AvailableSourceTypes': dbus.UInt32(self.scenario['sourceTypes']),
                                'AvailableCursorModes': dbus.UInt32(self.scenario['cursorModes'])}, signature='sv')


class Control(dbus.service.Object):
    def __init__(self, bus, portal):
        super().__init__(bus, '/control')
        self.bus = bus
        self.portal = portal
        self.portal_name = None

    @dbus.service.method(CONTROL, in_signature='s')
    def Configure(self, settings):
        self.portal.scenario.update(json.loads(settings))

    @dbus.service.method(CONTROL, in_signature='s', out_signature='s')
    def Calls(self, method):
        return json.dumps([c for c in self.portal.calls if c['method'] == method or not method])

    def drop_sessions(self, closed=False):
        for session in self.portal.sessions.values():
            if closed:
                session.Closed(dbus.Dictionary({}, signature='sv'))
            session.remove_from_connection()
        self.portal.sessions.clear()

    @dbus.service.method(CONTROL)
    def Reset(self):
        self.drop_sessions()
        self.portal.reset()
        if self.portal_name is None:
            self.Return()

    @dbus.service.method(CONTROL)
    def CloseSessions(self):
        self.drop_sessions(closed=True)

    @dbus.service.method(CONTROL)
    def Vanish(self):
        self.portal_name = None
        self.bus.release_name(PORTAL)
        self.drop_sessions()

    @dbus.service.method(CONTROL)
    def Return(self):
        self.portal_name = dbus.service.BusName(PORTAL, self.bus)


def main():
    bus = fake_bus.connect()
    portal = Portal(bus)
    control = Control(bus, portal)
    control.Return()
    fake_bus.serve(bus, [CONTROL], portal, control)


if __name__ == '__main__':
    main()
