"""A plug-in script that exports the scenario through the host's file writer.

    build/hostsim/sim/karven-sim --summary examples/python/export_plugin.py [FILE]
"""

import sys

import PluginInterfaces as P

target = sys.argv[1] if len(sys.argv) > 1 else 'scenario.zip'

writer_client = P.FileWriterClient()
writer_client.bind(P.cvar.FILE_WRITER_SERVICE_NAME)
writer = writer_client.getInterface()  # None when the host did not connect the client
if writer is None:
    raise SystemExit('no file writer service')

writer.setFileName(target)
writer.setStartTime(0.0)
writer.setEndTime(3600.0)
writer.setShowGui(False)
writer.setCoordinateSystem(P.PI_COORDSYS_LLA)
writer.setIncludeModels(True)
writer.setCull(True)
writer.setCullAngle(2.5)
status = writer.write(P.FileWriterInterface.ZIP)
print('wrote %s: status %d' % (writer.fileName(), status))

writer_client.unbind(P.cvar.FILE_WRITER_SERVICE_NAME)
sys.exit(status)
