"""Type stubs of PluginInterfaces, the proxy module of the KARVEN plug-in
interface library.

Every method is a native function: its arguments are positional only, and
the types are those the module converts from and to (a str for a
std::string, an int for an enumeration or an integer of any width, a float
for a double or float). Pointers that the module hands out without a class of
their own (time formats, extents arrays, parameter maps, user data) are
opaque pointer objects, here _Pointer; None stands for a null pointer.
"""

from typing import Any, ClassVar, Optional, Sequence, Tuple, Union, overload


class _Pointer:
    """An opaque pointer object of the binding runtime; int() gives its address."""

    def __int__(self) -> int: ...
    def own(self, value: bool = ...) -> bool: ...
    def disown(self) -> None: ...
    def acquire(self) -> None: ...
    def append(self, other: _Pointer) -> None: ...
    def next(self) -> Optional[_Pointer]: ...


class _Proxy:
    """What every proxy object has: its native object and whether Python owns it."""

    this: _Pointer
    thisown: bool


class _Globals:
    """The read-only native globals behind cvar, read at each access."""

    @property
    def PI_INVALID_DOUBLE(self) -> float: ...
    @property
    def DATABROWSER_SERVICE_NAME(self) -> str: ...
    @property
    def PREFSTOOL_SERVICE_NAME(self) -> str: ...
    @property
    def FILE_LOCATOR_SERVICE_NAME(self) -> str: ...
    @property
    def FILE_WRITER_SERVICE_NAME(self) -> str: ...
    @property
    def SIGNAL_SERVICE_NAME(self) -> str: ...
    @property
    def APPEND_DATA_SIGNAL(self) -> str: ...
    @property
    def SNAPSHOT_SERVICE(self) -> str: ...


# Iteration over StringVector and UniqueIDVector.
class SwigPyIterator(_Proxy):
    """An iterator over a StringVector or UniqueIDVector."""

    def value(self) -> Any: ...
    def incr(self, n: int = ..., /) -> SwigPyIterator: ...
    def decr(self, n: int = ..., /) -> SwigPyIterator: ...
    def distance(self, x: SwigPyIterator, /) -> int: ...
    def equal(self, x: SwigPyIterator, /) -> bool: ...
    def copy(self) -> SwigPyIterator: ...
    def next(self) -> Any: ...
    def __next__(self) -> Any: ...
    def previous(self) -> Any: ...
    def advance(self, n: int, /) -> SwigPyIterator: ...
    def __eq__(self, x: object, /) -> bool: ...
    def __ne__(self, x: object, /) -> bool: ...
    def __iadd__(self, n: int, /) -> SwigPyIterator: ...
    def __isub__(self, n: int, /) -> SwigPyIterator: ...  # type: ignore[misc]
    def __add__(self, n: int, /) -> SwigPyIterator: ...
    @overload
    def __sub__(self, n: int, /) -> SwigPyIterator: ...
    @overload
    def __sub__(self, x: SwigPyIterator, /) -> int: ...
    def __iter__(self) -> SwigPyIterator: ...
    __hash__: ClassVar[None]  # type: ignore[assignment]


# Colours packed as 0xRRGGBBAA.
def PIRGB(red: int, green: int, blue: int, /) -> int: ...

def PIRGBA(red: int, green: int, blue: int, alpha: int, /) -> int: ...

def PIREDVAL(color: int, /) -> int: ...

def PIGREENVAL(color: int, /) -> int: ...

def PIBLUEVAL(color: int, /) -> int: ...

def PIALPHAVAL(color: int, /) -> int: ...

# Without a host, switch to debug/ignore mode: requests are answered with their
# defaults and no message (for the rest of the process).
def __setDebugIgnore(quiet: bool = ..., /) -> None: ...

# Records of the plug-in function interface.
class PITerrainRasterNodeRequest(_Proxy):
    """A terrain-raster node request: the node, its buffer and the raster's size."""

    buffer: Optional[_Pointer]
    bufferSize: Optional[_Pointer]
    currentRasterSize: Optional[_Pointer]
    nodeID: Optional[_Pointer]
    threadIndex: int
    userData: Optional[_Pointer]
    def __init__(self) -> None: ...


class PITerrainRasterSetParseToken(_Proxy):
    """A token of a terrain-raster set's configuration: its name and value."""

    tokenName: str
    tokenValue: str
    userData: Optional[_Pointer]
    def __init__(self) -> None: ...


class PITerrainRasterSetRequestInfo(_Proxy):
    """What the host asks of a terrain-raster set: its levels, format, values and extents."""

    rasterSetName: str
    activeRequestLimit: int
    pixelLength: int
    shallowestLevel: int
    deepestLevel: int
    rasterFormat: int
    source: str
    classification: str
    description: str
    timeSpecified: bool
    timeValueYear: int
    timeValueSecondsSinceRefYear: float
    hasNoDataValue: bool
    noDataValue: float
    hasIgnoreAboveValue: bool
    ignoreAboveValue: float
    hasIgnoreBelowValue: bool
    ignoreBelowValue: float
    hasReplacementValue: bool
    replacementValue: float
    wwExtents: _Pointer
    wExtents: _Pointer
    eExtents: _Pointer
    eeExtents: _Pointer
    nExtents: _Pointer
    sExtents: _Pointer
    userData: Optional[_Pointer]
    def __init__(self) -> None: ...


class PIFunctionParams_t(_Proxy):
    """The parameter maps of a plug-in function call (names to str, int, float and pointer values)."""

    strMap: _Pointer
    intMap: _Pointer
    dblMap: _Pointer
    ptrMap: _Pointer
    def size(self) -> int: ...
    def clear(self) -> None: ...
    def __init__(self) -> None: ...


class PIClientFuncAndData_t(_Proxy):
    """A plug-in function pointer with the data the host hands back to it."""

    funcPointer: Optional[_Pointer]
    clientData: Optional[_Pointer]
    def __init__(self, func: Optional[_Pointer] = ..., cData: Optional[_Pointer] = ...) -> None: ...


# Sequences.
class StringVector(_Proxy):
    """A native vector of str, used as a list; any sequence of str is accepted where one is expected."""

    def iterator(self) -> SwigPyIterator: ...
    def __iter__(self) -> SwigPyIterator: ...
    def __nonzero__(self) -> bool: ...
    def __bool__(self) -> bool: ...
    def __len__(self) -> int: ...
    def __getslice__(self, i: int, j: int, /) -> StringVector: ...
    @overload
    def __setslice__(self, i: int, j: int, /) -> None: ...
    @overload
    def __setslice__(self, i: int, j: int, v: Union[StringVector, Sequence[str]], /) -> None: ...
    def __delslice__(self, i: int, j: int, /) -> None: ...
    @overload
    def __delitem__(self, i: int, /) -> None: ...
    @overload
    def __delitem__(self, slice: slice, /) -> None: ...
    @overload
    def __getitem__(self, slice: slice, /) -> StringVector: ...
    @overload
    def __getitem__(self, i: int, /) -> str: ...
    @overload
    def __setitem__(self, slice: slice, v: Union[StringVector, Sequence[str]], /) -> None: ...
    @overload
    def __setitem__(self, slice: slice, /) -> None: ...
    @overload
    def __setitem__(self, i: int, x: str, /) -> None: ...
    def pop(self) -> str: ...
    def append(self, x: str, /) -> None: ...
    def empty(self) -> bool: ...
    def size(self) -> int: ...
    def swap(self, v: StringVector, /) -> None: ...
    def begin(self) -> SwigPyIterator: ...
    def end(self) -> SwigPyIterator: ...
    def rbegin(self) -> SwigPyIterator: ...
    def rend(self) -> SwigPyIterator: ...
    def clear(self) -> None: ...
    def get_allocator(self) -> _Pointer: ...
    def pop_back(self) -> None: ...
    @overload
    def erase(self, pos: SwigPyIterator, /) -> SwigPyIterator: ...
    @overload
    def erase(self, first: SwigPyIterator, last: SwigPyIterator, /) -> SwigPyIterator: ...
    @overload
    def __init__(self) -> None: ...
    @overload
    def __init__(self, other: Union[StringVector, Sequence[str]], /) -> None: ...
    @overload
    def __init__(self, size: int, /) -> None: ...
    @overload
    def __init__(self, size: int, value: str, /) -> None: ...
    def push_back(self, x: str, /) -> None: ...
    def front(self) -> str: ...
    def back(self) -> str: ...
    def assign(self, n: int, x: str, /) -> None: ...
    @overload
    def resize(self, new_size: int, /) -> None: ...
    @overload
    def resize(self, new_size: int, x: str, /) -> None: ...
    @overload
    def insert(self, pos: SwigPyIterator, x: str, /) -> SwigPyIterator: ...
    @overload
    def insert(self, pos: SwigPyIterator, n: int, x: str, /) -> None: ...
    def reserve(self, n: int, /) -> None: ...
    def capacity(self) -> int: ...


class UniqueIDVector(_Proxy):
    """A native vector of entity ids (unsigned 64-bit ints), used as a list."""

    def iterator(self) -> SwigPyIterator: ...
    def __iter__(self) -> SwigPyIterator: ...
    def __nonzero__(self) -> bool: ...
    def __bool__(self) -> bool: ...
    def __len__(self) -> int: ...
    def __getslice__(self, i: int, j: int, /) -> UniqueIDVector: ...
    @overload
    def __setslice__(self, i: int, j: int, /) -> None: ...
    @overload
    def __setslice__(self, i: int, j: int, v: Union[UniqueIDVector, Sequence[int]], /) -> None: ...
    def __delslice__(self, i: int, j: int, /) -> None: ...
    @overload
    def __delitem__(self, i: int, /) -> None: ...
    @overload
    def __delitem__(self, slice: slice, /) -> None: ...
    @overload
    def __getitem__(self, slice: slice, /) -> UniqueIDVector: ...
    @overload
    def __getitem__(self, i: int, /) -> int: ...
    @overload
    def __setitem__(self, slice: slice, v: Union[UniqueIDVector, Sequence[int]], /) -> None: ...
    @overload
    def __setitem__(self, slice: slice, /) -> None: ...
    @overload
    def __setitem__(self, i: int, x: int, /) -> None: ...
    def pop(self) -> int: ...
    def append(self, x: int, /) -> None: ...
    def empty(self) -> bool: ...
    def size(self) -> int: ...
    def swap(self, v: UniqueIDVector, /) -> None: ...
    def begin(self) -> SwigPyIterator: ...
    def end(self) -> SwigPyIterator: ...
    def rbegin(self) -> SwigPyIterator: ...
    def rend(self) -> SwigPyIterator: ...
    def clear(self) -> None: ...
    def get_allocator(self) -> _Pointer: ...
    def pop_back(self) -> None: ...
    @overload
    def erase(self, pos: SwigPyIterator, /) -> SwigPyIterator: ...
    @overload
    def erase(self, first: SwigPyIterator, last: SwigPyIterator, /) -> SwigPyIterator: ...
    @overload
    def __init__(self) -> None: ...
    @overload
    def __init__(self, other: Union[UniqueIDVector, Sequence[int]], /) -> None: ...
    @overload
    def __init__(self, size: int, /) -> None: ...
    @overload
    def __init__(self, size: int, value: int, /) -> None: ...
    def push_back(self, x: int, /) -> None: ...
    def front(self) -> int: ...
    def back(self) -> int: ...
    def assign(self, n: int, x: int, /) -> None: ...
    @overload
    def resize(self, new_size: int, /) -> None: ...
    @overload
    def resize(self, new_size: int, x: int, /) -> None: ...
    @overload
    def insert(self, pos: SwigPyIterator, x: int, /) -> SwigPyIterator: ...
    @overload
    def insert(self, pos: SwigPyIterator, n: int, x: int, /) -> None: ...
    def reserve(self, n: int, /) -> None: ...
    def capacity(self) -> int: ...

# Constants of the plug-in API, each family named by its prefix.
PI_CLIENTFUNC_INITIALIZE: int
PI_CLIENTFUNC_CALLBACK: int
PI_CLIENTFUNC_QUIT: int
PI_CLIENTFUNC_NAME: int
PI_CLIENTFUNC_CLOSELOCATION: int
PI_CLIENTFUNC_OPENLOCATION: int
PI_CLIENTFUNC_FINDNETWORK: int
PI_CLIENTFUNC_HANDLECONFIG: int
PI_CLIENTFUNC_SAVECONFIG: int
PI_CLIENTFUNC_EVENTANNOUNCEMENT: int
PI_CLIENTFUNC_DRAWONREFRESH: int
PI_CLIENTFUNC_LOADINKARVEN: int
PI_CLIENTFUNC_LOADINGRAFYN: int
PI_CLIENTFUNC_LOADINZENTRIK: int
PI_CLIENTFUNC_LOADINTESSIVAR: int
PI_CLIENTFUNC_PREDRAWONREFRESH: int
PI_CLIENTFUNC_HANDLEMOUSEEVENT: int
PI_CLIENTFUNC_INITIALIZETERRAINRASTERSET: int
PI_CLIENTFUNC_PARSETERRAINRASTERSETTOKEN: int
PI_CLIENTFUNC_GETTERRAINRASTERSETTOKENSTRING: int
PI_CLIENTFUNC_GETTERRAINRASTERNODE: int
PI_CLIENTFUNC_DEREFERENCETERRAINRASTERSET: int
PI_CLIENTFUNC_GETTERRAINRASTERSETINFO: int
PI_CLIENTFUNC_DESCRIPTION: int
PI_CLIENTFUNC_AUTHOR: int
PI_CLIENTFUNC_VERSION: int
PI_CLIENTFUNC_URL: int
PI_CLIENTFUNC_CONTACTINFO: int
PI_CLIENTFUNC_LOADINKARVEN10: int
PI_CLIENTFUNC_REGISTERCMDLINE: int
PI_CLIENTFUNC_LOADINGRAFYN10: int
PI_PARAMNAME_RETURNVALUE: int
PI_PARAMNAME_TIME: int
PI_PARAMNAME_ID: int
PI_PARAMNAME_NAME: int
PI_PARAMNAME_STATUS: int
PI_PARAMNAME_LOCATION: int
PI_PARAMNAME_PORT: int
PI_PARAMNAME_PROTOCOL: int
PI_PARAMNAME_TAG: int
PI_PARAMNAME_DATA: int
PI_PARAMNAME_TAGDATAPAIRS: int
PI_PARAMNAME_EVENTTYPE: int
PI_PARAMNAME_EVENTDATA: int
PI_PARAMNAME_WIDTH: int
PI_PARAMNAME_HEIGHT: int
PI_PARAMNAME_ARGS: int
PI_PARAMNAME_INITIALIZETERRAINRASTERSET: int
PI_PARAMNAME_PARSETERRAINRASTERSETTOKEN: int
PI_PARAMNAME_GETTERRAINRASTERSETTOKENSTRING: int
PI_PARAMNAME_GETTERRAINRASTERNODE: int
PI_PARAMNAME_DEREFERENCETERRAINRASTERSET: int
PI_PARAMNAME_GETTERRAINRASTERSETINFO: int
PI_PARAMNAME_ARGSREGISTER: int
PI_PARAMNAME_ARGSQUERY: int
PI_APPEVENT_CRITEXIT: int
PI_APPEVENT_LOADFILE: int
PI_APPEVENT_CLOSEFILE: int
PI_APPEVENT_REMOVEOBJECT: int
PI_APPEVENT_ADDPLATFORM: int
PI_APPEVENT_ADDBEAM: int
PI_APPEVENT_ADDGATE: int
PI_APPEVENT_SERVERSTATUS: int
PI_APPEVENT_MOTIONSTOP: int
PI_APPEVENT_DELETEVIEWPORT: int
PI_APPEVENT_ADDLASER: int
PI_APPEVENT_FLUSHDATA: int
PI_APPEVENT_ADDLOB: int
PI_APPEVENT_LIVETOFILE: int
PI_APPEVENT_TOLIVE: int
PI_APPEVENT_PREFSCHANGE: int
PI_APPEVENT_ADDPROJECTOR: int
PI_APPEVENT_ADDCUSTOMRENDERING: int
PI_NETWORK_PROTOCOL_MULTICAST: int
PI_NETWORK_PROTOCOL_BROADCAST: int
PI_NETWORK_PROTOCOL_UNICAST: int
PI_COORDSYS_NED: int
PI_COORDSYS_NWU: int
PI_COORDSYS_ENU: int
PI_COORDSYS_LLA: int
PI_COORDSYS_ECEF: int
PI_COORDSYS_XEAST: int
PI_COORDSYS_GTP: int
PI_COORDSYS_ECI: int
PI_VERTDATA_WGS84: int
PI_VERTDATA_MSL: int
PI_VERTDATA_USER: int
PI_MAGVAR_TRUE: int
PI_MAGVAR_WMM: int
PI_MAGVAR_USER: int
PI_BEAMTYPE_UNKNOWN: int
PI_BEAMTYPE_TARGET: int
PI_BEAMTYPE_STEADY: int
PI_BEAMTYPE_CONICAL_SPIRAL: int
PI_BEAMTYPE_HORZ_BIDIR: int
PI_BEAMTYPE_VERT_BIDIR: int
PI_BEAMTYPE_HORZ_UNIDIR: int
PI_BEAMTYPE_VERT_UNIDIR: int
PI_BEAMTYPE_HORZ_RASTER: int
PI_BEAMTYPE_VERT_RASTER: int
PI_BEAMTYPE_ABSOLUTE: int
PI_BEAMTYPE_LINEAR: int
PI_BEAMTYPE_BODY_AXIS: int
PI_GATETYPE_UNKNOWN: int
PI_GATETYPE_RANGE: int
PI_GATETYPE_GUARD: int
PI_GATETYPE_TARGET: int
PI_GATETYPE_ANGLE: int
PI_GATETYPE_RAIN: int
PI_GATETYPE_CLUTTER: int
PI_GATETYPE_FOOTPRINT: int
PI_GATETYPE_SECTOR: int
PI_GATETYPE_PUSH: int
PI_GATETYPE_COVERAGE: int
PI_GATETYPE_BODY: int
PI_LOB_TYPE_UNKNOWN: int
PI_LOB_TYPE_RELATIVE: int
PI_LOB_TYPE_ABSOLUTE: int
PI_STATUS_HIDDEN: int
PI_STATUS_VISIBLE: int
PI_TRACKING_STATUS_INVALID: int
PI_TRACKING_STATUS_VALID: int
PI_OBJECT_NONE: int
PI_OBJECT_PLATFORM: int
PI_OBJECT_BEAM: int
PI_OBJECT_GATE: int
PI_OBJECT_ALL: int
PI_OBJECT_GENERICDATA: int
PI_OBJECT_LASER: int
PI_OBJECT_LOB: int
PI_OBJECT_PROJECTOR: int
PI_OBJECT_CUSTOM_RENDERING: int
PI_TRACKSTYLE_OFF: int
PI_TRACKSTYLE_POINT: int
PI_TRACKSTYLE_LINE: int
PI_TRACKSTYLE_RIBBON: int
PI_TRACKSTYLE_BRIDGE: int
PI_RETRIEVE_INTERPOLATE: int
PI_RETRIEVE_NEXT: int
PI_RETRIEVE_PREVIOUS: int
PI_RETRIEVE_NEXT_INCLUSIVE: int
PI_RETRIEVE_PREVIOUS_INCLUSIVE: int
PI_RETRIEVE_FIRST: int
PI_RETRIEVE_LAST: int
PI_RETRIEVE_CURRENT: int
CALC_SUN_POSITION: int
CALC_SUN_ILLUMINANCE: int
CALC_MOON_POSITION: int
CALC_MOON_ILLUMINANCE: int
CALC_MACH: int
CALC_AOA: int
CALC_TOTAL_AOA: int
CALC_SIDE_SLIP: int
CALC_FPA: int
CALC_COURSE: int
PI_FILENAME_ABSOLUTE: int
PI_FILENAME_RELATIVE: int
PI_FILENAME_STRIPPED: int
PI_FILENAME_UNCHANGED: int
PI_OVERLAY_NONE: int
PI_OVERLAY_TIME: int
PI_OVERLAY_TIMESMALL: int
PI_OVERLAY_ALL: int
PI_OVERLAY_TIMELLA: int
PI_TIMEOVERLAY_SECONDS: int
PI_TIMEOVERLAY_MINUTES: int
PI_TIMEOVERLAY_HOURS: int
PI_TIMEOVERLAY_MONTH: int
PI_TIMEOVERLAY_JULIAN: int
PI_TIMEOVERLAY_YEAR: int
PI_TIMEOVERLAY_DTG: int
PI_ANTNAME_NONE: int
PI_ANTNAME_ALGORITHM: int
PI_ANTNAME_MONOPULSE: int
PI_ANTNAME_CRUISE: int
PI_ANTNAME_RELATIVE: int
PI_ANTNAME_TABLE: int
PI_ANTNAME_BILINEAR: int
PI_ANTNAME_NSMA: int
PI_ANTNAME_EZNEC: int
PI_ANTNAME_XFDTD: int
PI_ANTALGO_NONE: int
PI_ANTALGO_PEDESTAL: int
PI_ANTALGO_GAUSS: int
PI_ANTALGO_CSC_SQUARED: int
PI_ANTALGO_SINXX: int
PI_ANTALGO_OMNI: int
PI_POLARITY_UNKNOWN: int
PI_POLARITY_HORIZONTAL: int
PI_POLARITY_VERTICAL: int
PI_POLARITY_CIRCULAR: int
PI_POLARITY_HORZVERT: int
PI_POLARITY_VERTHORZ: int
PI_POLARITY_LEFTCIRC: int
PI_POLARITY_RIGHTCIRC: int
PI_POLARITY_LINEAR: int

# Services: clients bind by name; the host connects them and lends them its interfaces.
class BindableInterface(_Proxy):
    """The base of every service interface the host hands out."""


# The native globals, read at each access; the module-level copies are
# taken at import.
cvar: _Globals
PI_INVALID_DOUBLE: float

class ServiceClient(_Proxy):
    """The base of the service clients: bind() to a service by name, unbind() before the client goes away."""

    def bind(self, serviceName: str, /) -> int:
        """Asks the host to connect this client to the service named; 0 when it did (1 without a host)."""
    def unbind(self, serviceName: str, /) -> int:
        """Asks the host to disconnect this client from the service named; 0 when it did."""
    def onServiceConnected(self, iface: Optional[BindableInterface], /) -> None:
        """What the host calls on connecting: keeps iface when it is of the client's interface."""
    def onServiceDisconnected(self) -> None:
        """What the host calls on disconnecting: forgets the interface."""


class EntityGuiClient(ServiceClient):
    """A client of the entity GUI service (DATABROWSER_SERVICE_NAME)."""

    def __init__(self) -> None: ...
    def isValid(self) -> bool:
        """Whether the client holds an interface."""
    def getInterface(self) -> Optional[EntityGuiInterface]:
        """The interface the host connected the client to, borrowed; None while unconnected."""
    def onServiceConnected(self, iface: Optional[BindableInterface], /) -> None: ...
    def onServiceDisconnected(self) -> None: ...

DATABROWSER_SERVICE_NAME: str
PREFSTOOL_SERVICE_NAME: str

class EntityGuiInterface(BindableInterface):
    """The host's entity browser: shows and selects entities by id."""

    def showGuiAndSelect(self, ids: Union[UniqueIDVector, Sequence[int]], /) -> None:
        """Shows the entity browser with these entities selected."""
    def selectIds(self, ids: Union[UniqueIDVector, Sequence[int]], /) -> None:
        """Selects these entities in the browser."""
    def setTreeView(self, useTreeView: bool, /) -> None:
        """Shows the browser as a tree or as a list."""
    @staticmethod
    def dynamic_cast(iface: Optional[BindableInterface], /) -> Optional[EntityGuiInterface]:
        """The same interface object as this class, or None when it is not one."""


class FileLocatorClient(ServiceClient):
    """A client of the file locator service (FILE_LOCATOR_SERVICE_NAME)."""

    def __init__(self) -> None: ...
    def isValid(self) -> bool:
        """Whether the client holds an interface."""
    def getInterface(self) -> Optional[FileLocatorInterface]:
        """The interface the host connected the client to, borrowed; None while unconnected."""
    def onServiceConnected(self, iface: Optional[BindableInterface], /) -> None: ...
    def onServiceDisconnected(self) -> None: ...

FILE_LOCATOR_SERVICE_NAME: str

class FileLocatorInterface(BindableInterface):
    """The host's file locator: finds data files by kind, and a model's textures."""

    MODEL: ClassVar[int]
    GOG: ClassVar[int]
    MEDIA: ClassVar[int]
    TERRAIN: ClassVar[int]
    PREFERENCE_RULE: ClassVar[int]
    VIEW: ClassVar[int]
    HOTKEY: ClassVar[int]
    DISCN: ClassVar[int]
    ANTENNAPATTERN: ClassVar[int]
    RFPROP: ClassVar[int]
    SCREENTEXT: ClassVar[int]
    OTHER: ClassVar[int]
    def locate(self, type: int, filename: str, /) -> str:
        """The path of a data file of that kind (a FileLocatorInterface constant); "" when not found."""
    def getModelTextures(self, modelName: str, /) -> Tuple[str, ...]:
        """The texture files of a model, as a tuple."""
    @staticmethod
    def dynamic_cast(iface: Optional[BindableInterface], /) -> Optional[FileLocatorInterface]:
        """The same interface object as this class, or None when it is not one."""


class FileLocatorService(ServiceClient):
    """A file-locator client that binds when created and unbinds when deleted."""

    def __init__(self) -> None: ...
    def getInterface(self) -> Optional[FileLocatorInterface]:
        """The file locator, borrowed; None while unconnected."""
    def onServiceConnected(self, iface: Optional[BindableInterface], /) -> None: ...
    def onServiceDisconnected(self) -> None: ...


class FileWriterClient(ServiceClient):
    """A client of the file writer service (FILE_WRITER_SERVICE_NAME)."""

    def __init__(self) -> None: ...
    def isValid(self) -> bool:
        """Whether the client holds an interface."""
    def getInterface(self) -> Optional[FileWriterInterface]:
        """The interface the host connected the client to, borrowed; None while unconnected."""
    def onServiceConnected(self, iface: Optional[BindableInterface], /) -> None: ...
    def onServiceDisconnected(self) -> None: ...

FILE_WRITER_SERVICE_NAME: str

class FileWriterInterface(BindableInterface):
    """The host's scenario writer: its settings, then write()."""

    ASI: ClassVar[int]
    ZIP: ClassVar[int]
    def fileName(self) -> str: ...
    def setFileName(self, fileName: str, /) -> None: ...
    def startTime(self) -> float: ...
    def setStartTime(self, startTime: float, /) -> None: ...
    def endTime(self) -> float: ...
    def setEndTime(self, endTime: float, /) -> None: ...
    def showGui(self) -> bool: ...
    def setShowGui(self, show: bool, /) -> None: ...
    def filePath(self) -> int: ...
    def setFilePath(self, type: int, /) -> None: ...
    def timeFormat(self) -> _Pointer:
        """The time format, as an opaque value that setTimeFormat accepts."""
    def setTimeFormat(self, format: _Pointer, /) -> None: ...
    def isCullEnabled(self) -> bool: ...
    def setCull(self, value: bool, /) -> None: ...
    def cullAngle(self) -> float: ...
    def setCullAngle(self, value: float, /) -> None: ...
    def includeModels(self) -> bool: ...
    def setIncludeModels(self, value: bool, /) -> None: ...
    def coordinateSystem(self) -> int: ...
    def setCoordinateSystem(self, value: int, /) -> None: ...
    def getSaveExternalFiles(self) -> bool: ...
    def setSaveExternalFiles(self, value: bool, /) -> None: ...
    def write(self, type: int, /) -> int:
        """Writes the scenario in that format (ASI or ZIP) with the settings made; the host's status."""
    @staticmethod
    def dynamic_cast(iface: Optional[BindableInterface], /) -> Optional[FileWriterInterface]:
        """The same interface object as this class, or None when it is not one."""


class SignalClient(ServiceClient):
    """A client of the signal service (SIGNAL_SERVICE_NAME)."""

    def __init__(self) -> None: ...
    def isValid(self) -> bool:
        """Whether the client holds an interface."""
    def getInterface(self) -> Optional[SignalInterface]:
        """The interface the host connected the client to, borrowed; None while unconnected."""
    def onServiceConnected(self, iface: Optional[BindableInterface], /) -> None: ...
    def onServiceDisconnected(self) -> None: ...

SIGNAL_SERVICE_NAME: str
APPEND_DATA_SIGNAL: str
SNAPSHOT_SERVICE: str

class SignalData(_Proxy):
    """The payload of a signal; a bare SignalData carries nothing."""

    def __init__(self) -> None: ...


class SignalCallback(_Proxy):
    """Subclass it and override callback(name, data) to receive signals; keep it alive while registered."""

    def callback(self, name: str, data: Optional[SignalData], /) -> None:
        """Called with the signal's name and data (None when None was fired); override it."""
    def __init__(self) -> None: ...
    def __disown__(self) -> SignalCallback:
        """Hands the object over to native code, which then keeps it alive."""


class SignalInterface(BindableInterface):
    """The host's signal service: callbacks registered by name (or for every signal), and fired signals."""

    def addCallback(self, name: str, callback: Optional[SignalCallback], /) -> int:
        """Registers the callback for signals of that name; the host's status (0: done)."""
    def removeCallback(self, name: str, callback: Optional[SignalCallback], /) -> int:
        """Removes the callback registered for that name; the host's status."""
    def addGlobalCallback(self, callback: Optional[SignalCallback], /) -> int:
        """Registers the callback for every signal; the host's status."""
    def removeGlobalCallback(self, callback: Optional[SignalCallback], /) -> int:
        """Removes a callback registered for every signal; the host's status."""
    def hasCallbacks(self, name: str, /) -> bool:
        """Whether callbacks are registered for that name."""
    def fireCallbacks(self, name: str, data: Optional[SignalData], /) -> int:
        """Fires a signal: each callback receives (name, data); the host's result (how many ran)."""
    @staticmethod
    def dynamic_cast(iface: Optional[BindableInterface], /) -> Optional[SignalInterface]:
        """The same interface object as this class, or None when it is not one."""


class SnapShotClient(ServiceClient):
    """A client of the snapshot service (SNAPSHOT_SERVICE)."""

    def __init__(self) -> None: ...
    def isValid(self) -> bool:
        """Whether the client holds an interface."""
    def getInterface(self) -> Optional[SnapShotInterface]:
        """The interface the host connected the client to, borrowed; None while unconnected."""
    def onServiceConnected(self, iface: Optional[BindableInterface], /) -> None: ...
    def onServiceDisconnected(self) -> None: ...


class SnapShotInterface(BindableInterface):
    """The host's screen captures: once, or on a timer."""

    FILE_JPG: ClassVar[int]
    FILE_PNG: ClassVar[int]
    def setDirectory(self, snapShotDir: str, /) -> None: ...
    def setFileType(self, fileType: int, /) -> None: ...
    def setFilename(self, filename: str, /) -> None: ...
    def setUseScenarioTime(self, useScenarioTime: bool, /) -> None: ...
    def setTimerIntervalSeconds(self, intervalSeconds: int, /) -> None: ...
    def takeSnapShot(self) -> None:
        """Takes one snapshot with the settings made."""
    def startSnapShotTimer(self) -> None:
        """Takes snapshots every timer interval until stopped."""
    def stopSnapShotTimer(self) -> None:
        """Stops the snapshot timer."""
    def setPlotTabActive(self, name: str, active: bool, /) -> int:
        """Makes a plot tab active or not; the host's status."""
    def setSaveCurrentPlotTab(self, save: bool, /) -> int:
        """Whether snapshots also save the current plot tab; the host's status."""
    @staticmethod
    def dynamic_cast(iface: Optional[BindableInterface], /) -> Optional[SnapShotInterface]:
        """The same interface object as this class, or None when it is not one."""
