// File and network handlers (codes 500, 501) and the delegate registrations
// of code 323 with their ownership rule.

#include "api/PIFileHandlers.h"
#include "bridge/PIParameterBlocks.h"
#include "bridge/PIRequest.h"

namespace PICommon {
namespace {

using PIBridge::CatchAll;

constexpr PIServerFunctions_t kDelegates = PI_SERVERFUNC_FILE_DELEGATES_AND_RECORDING;

// Sends a registration and applies the ownership rule: a refused delegate
// is deleted here.
template <typename Delegate>
int sendRegistration(CatchAll& request, Delegate* delegate) {
    request.send();
    if (request.block().intVector[1] != 0 && delegate != nullptr) {
        delete delegate;
    }
    return request.block().intVector[1];
}

void sendHandler(PIServerFunctions_t code, const std::string& text1, const std::string& text2,
                 unsigned int mask) {
    PI_REGISTER_HANDLER_DATA block;
    block.string1 = text1;
    block.string2 = text2;
    block.mask = mask;
    handle(code, &block);
}

}  // namespace

void registerFileHandler(const std::string& text1, const std::string& text2, unsigned int mask) {
    sendHandler(PI_SERVERFUNC_REGISTER_FILE_HANDLER, text1, text2, mask);
}

void registerNetworkHandler(const std::string& text) {
    sendHandler(PI_SERVERFUNC_REGISTER_NETWORK_HANDLER, "", text, 0);
}

int registerFileExportHandler(const std::string& text1, const std::string& text2,
                              FileExportDelegate* delegate, int value) {
    CatchAll request(kDelegates);
    request.ints(0, 1, value).strs(text1, text2).ptrs(delegate);
    return sendRegistration(request, delegate);
}

int registerFileExportHandler(const std::string& text1, const std::string& text2,
                              FileImportExportDelegate* delegate, int value) {
    CatchAll request(kDelegates);
    request.ints(4, 1, value).strs(text1, text2).ptrs(delegate);
    return sendRegistration(request, delegate);
}

int registerFileExportHandler(const std::string& text1, const std::string& text2,
                              FileImportExportDelegateV2* delegate, int value) {
    CatchAll request(kDelegates);
    request.ints(4, 1, value).strs(text1, text2).ptrs(static_cast<FileImportExportDelegate*>(delegate));
    return sendRegistration(request, delegate);
}

int registerFileOpenAdvancedGui(const std::string& text1, const std::string& text2,
                                FileExportDelegate* delegate) {
    CatchAll request(kDelegates);
    request.ints(3, 1).strs(text1, text2).ptrs(delegate);
    return sendRegistration(request, delegate);
}

int registerFileOpenAdvancedGui(const std::string& text1, const std::string& text2,
                                FileImportExportDelegate* delegate) {
    CatchAll request(kDelegates);
    request.ints(5, 1).strs(text1, text2).ptrs(delegate);
    return sendRegistration(request, delegate);
}

int registerFileOpenAdvancedGui(const std::string& text1, const std::string& text2,
                                FileImportExportDelegateV2* delegate, int value) {
    CatchAll request(kDelegates);
    request.ints(5, 1, value).strs(text1, text2).ptrs(static_cast<FileImportExportDelegate*>(delegate));
    return sendRegistration(request, delegate);
}

}  // namespace PICommon
