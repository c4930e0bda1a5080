"""A plug-in script run outside the application, with plain python3.

The import succeeds without a host. Each request then prints the no-host
diagnostic on standard error and answers its pre-set default; after
__setDebugIgnore the same requests answer silently.
"""

import PluginInterfaces as P
import _PluginInterfaces

client = P.SignalClient()
print('bind status:', client.bind(P.cvar.SIGNAL_SERVICE_NAME))  # 1: nobody answered
print('connected:', client.isValid())

_PluginInterfaces.__setDebugIgnore()  # announced on standard output; (True) is silent
print('bind status:', client.bind(P.cvar.SIGNAL_SERVICE_NAME))
print('connected:', client.isValid())
