// A host built apart from the library, for the vtable checks: its function
// map, its service objects and its calls into plug-in objects all go through
// its own declarations (HostInterfaces.h), never the library's headers. This
// interface uses plain types only, so tests include it next to the
// library's headers and pass objects across as addresses.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#define CONTRACTHOST_API __attribute__((visibility("default")))

namespace contracthost {

// What the host's service objects were asked, in order, one entry per call:
// the slot, the operation and its arguments ("3 setFileName(out.asi)").
CONTRACTHOST_API std::vector<std::string>& seen();

// The host's implementation of one service interface, as the
// BindableInterface address it hands a client. Its getters answer fixed
// values; see ContractHost.cpp.
enum class Service { EntityGui, FileLocator, FileWriter, Signal, SnapShot };
CONTRACTHOST_API void* newService(Service service);
CONTRACTHOST_API void deleteService(void* iface);

// The host's function map: the code of each call through slot 1 (Call), but
// the context lookups (16), answered null; a call through slot 0 is not listed.
CONTRACTHOST_API void* functionMap();
CONTRACTHOST_API std::vector<int32_t>& mapCodes();

// The host calling plug-in objects through its declarations.
CONTRACTHOST_API void connect(void* client, void* iface);                           // ServiceClient slot 2
CONTRACTHOST_API void signal(void* callback, const std::string& name, void* data);  // SignalCallback slot 2
CONTRACTHOST_API void* callFunctor(void* functor, void* source, void* data);  // FunctorTwoParams__ slot 0

// Import/export delegates (either version, or the adapter), slots 2 to 4.
CONTRACTHOST_API void* importExportCreateEditor(const void* delegate, void* parent);
CONTRACTHOST_API int importExportWithWidget(const void* delegate, const std::string& fileName,
                                            const void* editor);
CONTRACTHOST_API int importExportWithOptions(const void* delegate, const std::string& fileName,
                                             const std::map<std::string, std::string>& options);
CONTRACTHOST_API void deleteImportExport(void* delegate);  // slot 1
// Export delegates: slot 2 processFileWithWidget, slot 3 createEditor, and
// for the second version slot 4 processFileWithOptions.
CONTRACTHOST_API int exportWithWidget(const void* delegate, const std::string& fileName, const void* editor);
CONTRACTHOST_API void* exportCreateEditor(const void* delegate, void* parent);
CONTRACTHOST_API int exportWithOptions(const void* delegate, const std::string& fileName,
                                       const std::map<std::string, std::string>& options);
CONTRACTHOST_API void deleteExport(void* delegate);  // slot 1

// Proxies.
CONTRACTHOST_API void deleteProxy(void* proxy);  // PIObject slot 1
// PIVerticalFrameFactory slot 2; the page proxy as a PIObject address, and
// its two fields as the host reads them.
CONTRACTHOST_API void* newPage(const void* factory, void* handle, bool owns);
CONTRACTHOST_API void* serverHandleOf(const void* proxy);
CONTRACTHOST_API bool ownsServerObjectOf(const void* proxy);
CONTRACTHOST_API void dialogClosed(void* observer, void* dialog);  // CloseObserver slot 2
// Window slots 2 (show) and 3 (mapFunction), on any window proxy.
CONTRACTHOST_API void show(void* window);
CONTRACTHOST_API void mapFunction(void* window, void* function);

}  // namespace contracthost
