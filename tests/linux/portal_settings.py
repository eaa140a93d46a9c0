'''The desktop portal's Settings interface, with the appearance namespace only.

Parameters: "color-scheme" (a number answers as uint32, anything else as it
comes, to try wrong types) and "delay" (seconds Read waits before answering).
'''

import time

import dbus

from dbusmock import MOCK_IFACE

SYSTEM_BUS = False
BUS_NAME = 'org.freedesktop.portal.Desktop'
MAIN_OBJ = '/org/freedesktop/portal/desktop'
MAIN_IFACE = 'org.freedesktop.portal.Settings'


def as_dbus(value, variant_level):
    if isinstance(value, int) and not isinstance(value, bool):
        return dbus.UInt32(value, variant_level=variant_level)
    if isinstance(value, str):
        return dbus.String(value, variant_level=variant_level)
    return dbus.Boolean(value, variant_level=variant_level)


def load(mock, parameters):
    mock.color_scheme = parameters.get('color-scheme', 0)
    mock.delay = parameters.get('delay', 0)
    mock.AddMethods(MAIN_IFACE, [
        ('Read', 'ss', 'v', 'ret = self.read_setting(args[0], args[1])'),
    ])
    mock.read_setting = lambda ns, key: read_setting(mock, ns, key)


def read_setting(mock, namespace, key):
    time.sleep(mock.delay)
    if (namespace, key) != ('org.freedesktop.appearance', 'color-scheme'):
        raise dbus.exceptions.DBusException('Requested setting not found',
                                            name='org.freedesktop.portal.Error.NotFound')
    # The portal's Read answers a variant inside the variant.
    return as_dbus(mock.color_scheme, 2)


@dbus.service.method(MOCK_IFACE, in_signature='ssv', out_signature='')
def ChangeSetting(self, namespace, key, value):
    '''Changes a setting as the desktop would, announcing it with SettingChanged.'''
    if (namespace, key) == ('org.freedesktop.appearance', 'color-scheme'):
        self.color_scheme = value
    self.EmitSignal(MAIN_IFACE, 'SettingChanged', 'ssv', [namespace, key, value])
