// File and network handlers, and the registration of import/export
// delegates.
//
// Delegate ownership: every delegate registration reads the status from
// intVector[1] (pre-set 1). When it is non-zero and the delegate is not
// null, the library deletes the delegate (an adapter deletes the delegate it
// wraps with it) before returning, so the caller must not touch it again.
// With status 0 the delegate belongs to the host from then on. Without a
// host every registration returns 1 and deletes its delegate.
#pragma once

#include <string>

#include "api/PIFileDelegates.h"
#include "bridge/PIExport.h"

namespace PICommon {

// Code 500, PI_REGISTER_HANDLER_DATA: string1 = text1, string2 = text2,
// mask = mask. No result.
PI_EXPORT void registerFileHandler(const std::string& text1, const std::string& text2, unsigned int mask);

// Code 501, PI_REGISTER_HANDLER_DATA: string1 empty, string2 = text, mask 0.
// No result.
PI_EXPORT void registerNetworkHandler(const std::string& text);

// Delegate registrations: code 323, PI_DATA_CATCHALL, strVector [text1,
// text2], ptrVector [delegate]; intVector as given. Each returns the status.

// Selector 0: intVector [0, result 1, value].
PI_EXPORT int registerFileExportHandler(const std::string& text1, const std::string& text2,
                                        FileExportDelegate* delegate, int value);
// Selector 4: intVector [4, result 1, value].
PI_EXPORT int registerFileExportHandler(const std::string& text1, const std::string& text2,
                                        FileImportExportDelegate* delegate, int value);
// Selector 4, as the overload above: the host uses the delegate as a
// FileImportExportDelegate.
PI_EXPORT int registerFileExportHandler(const std::string& text1, const std::string& text2,
                                        FileImportExportDelegateV2* delegate, int value);

// Selector 3: intVector [3, result 1].
PI_EXPORT int registerFileOpenAdvancedGui(const std::string& text1, const std::string& text2,
                                          FileExportDelegate* delegate);
// Selector 5: intVector [5, result 1].
PI_EXPORT int registerFileOpenAdvancedGui(const std::string& text1, const std::string& text2,
                                          FileImportExportDelegate* delegate);
// Selector 5 with a third integer: intVector [5, result 1, value].
PI_EXPORT int registerFileOpenAdvancedGui(const std::string& text1, const std::string& text2,
                                          FileImportExportDelegateV2* delegate, int value);

}  // namespace PICommon
