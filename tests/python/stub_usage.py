"""A plug-in script as a type checker sees it through PluginInterfaces.pyi.
Never run: test_stubs type-checks it. Each line that must be refused ends
with the error code expected there."""

from typing import List, Optional

import PluginInterfaces as P
import _PluginInterfaces


class Printer(P.SignalCallback):
    def callback(self, name: str, data: Optional[P.SignalData]) -> None:
        print(name, data)


client = P.SignalClient()
status: int = client.bind(P.cvar.SIGNAL_SERVICE_NAME)
signals = client.getInterface()
if signals is not None:
    printer = Printer()
    signals.addCallback(P.cvar.APPEND_DATA_SIGNAL, printer)
    signals.fireCallbacks(P.cvar.APPEND_DATA_SIGNAL, None)
    signals.removeCallback(P.cvar.APPEND_DATA_SIGNAL, printer)
client.getInterface().hasCallbacks("x")  # union-attr
client.unbind(P.SIGNAL_SERVICE_NAME)
flat_status: int = _PluginInterfaces.ServiceClient_bind(client, "x")
_PluginInterfaces.ServiceClient_bind(client, 3)  # arg-type

ids = P.UniqueIDVector([1, 2, 2**64 - 1])
ids[1:1] = [7, 8]
count: int = len(ids)
ids.erase(ids.begin() + 1)
names = P.StringVector("ab")
first: str = names[0]
copied: P.StringVector = names[::-1]
names.append(3)  # arg-type
names.swap(["a"])  # arg-type

gui = P.EntityGuiClient().getInterface()
if gui:
    gui.selectIds([1, 2, 3])
    gui.selectIds(ids)
    gui.selectIds(["1"])  # list-item

writer = P.FileWriterClient().getInterface()
if writer:
    writer.setTimeFormat(writer.timeFormat())
    writer.setCullAngle(3)
    writer.setShowGui(1)  # arg-type
    writer.setTimeFormat(0)  # arg-type
    writer.write(P.FileWriterInterface.ZIP)
    textures: List[str] = list(P.FileLocatorService().getInterface().getModelTextures("m"))  # union-attr

info = P.PITerrainRasterSetRequestInfo()
info.pixelLength = 512
info.source = 1  # assignment
invalid: float = P.cvar.PI_INVALID_DOUBLE
P.cvar.PI_INVALID_DOUBLE = 0.0  # misc
red: int = P.PIREDVAL(P.PIRGB(255, 0, 0))
P.PIRGB(1, 2)  # call-arg
P.__setDebugIgnore(True)
