// Import/export delegate base classes, their "Append" option name, and the
// adapter from export-only delegates.

#include "api/PIFileDelegates.h"

namespace PICommon {

const std::string FileExportDelegateV2::APPEND = "Append";
const std::string FileImportExportDelegate::APPEND = "Append";

FileImportExportDelegate::~FileImportExportDelegate() = default;
FileImportExportDelegateV2::~FileImportExportDelegateV2() = default;
FileExportDelegate::~FileExportDelegate() = default;
FileExportDelegateV2::~FileExportDelegateV2() = default;

FileExportDelegateAdapter::FileExportDelegateAdapter(FileExportDelegate* wrapped) : wrapped_(wrapped) {}

FileExportDelegateAdapter::~FileExportDelegateAdapter() { delete wrapped_; }

QWidget* FileExportDelegateAdapter::createEditor(QWidget* parent) const {
    return wrapped_->createEditor(parent);
}

int FileExportDelegateAdapter::processFileWithWidget(const std::string& fileName,
                                                     const QWidget* editor) const {
    return wrapped_->processFileWithWidget(fileName, editor);
}

int FileExportDelegateAdapter::processFileWithOptions(
    const std::string& fileName, const std::map<std::string, std::string>& options) const {
    const auto* withOptions = dynamic_cast<const FileExportDelegateV2*>(wrapped_);
    if (withOptions == nullptr) {
        return 1;
    }
    return withOptions->processFileWithOptions(fileName, options);
}

}  // namespace PICommon
