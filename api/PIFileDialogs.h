// The host's file and directory dialogs and its stored directories.
//
// Every call is code 163 with a PI_DATA_CATCHALL whose intVector[0] is the
// selector. Texts go to strVector in the order listed, the dialogs' empty
// result entry last; the parent goes to ptrVector[0] as the proxy's server
// handle, or null for a null parent. A dialog returns a copy of its result
// entry after the request: the chosen path, empty without a host.
#pragma once

#include <string>

#include "bridge/PIExport.h"

namespace PIGUI {
class PIWindow;
}

namespace PICommon {

// Selector 0: intVector [0, flag], strVector [text1, text2, text3, text4,
// text5, result ""], ptrVector [parent]. Returns strVector[5].
PI_EXPORT std::string showFileLoadDialog(const std::string& text1, const std::string& text2,
                                         const std::string& text3, const std::string& text4, bool flag,
                                         PIGUI::PIWindow* parent, const std::string& text5);

// Selector 1: intVector [1, flag], strVector [text1, text2, text3, text4,
// text5, result ""], ptrVector [parent]. Returns strVector[5].
PI_EXPORT std::string showFileSaveDialog(const std::string& text1, const std::string& text2,
                                         const std::string& text3, bool flag, const std::string& text4,
                                         PIGUI::PIWindow* parent, const std::string& text5);

// Selector 2: intVector [2], strVector [text1, text2, text3]. No result.
PI_EXPORT void setStoredDirectory(const std::string& text1, const std::string& text2,
                                  const std::string& text3);

// Selector 3: intVector [3], strVector [text1, text2, text3, text4, result
// ""], ptrVector [parent]. Returns strVector[4].
PI_EXPORT std::string showDirectorySelectDialog(const std::string& text1, const std::string& text2,
                                                const std::string& text3, PIGUI::PIWindow* parent,
                                                const std::string& text4);

}  // namespace PICommon
