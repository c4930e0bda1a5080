// Import/export delegate base classes and their "Append" option name.

#include "api/PIFileDelegates.h"

namespace PICommon {

const std::string FileExportDelegateV2::APPEND = "Append";
const std::string FileImportExportDelegate::APPEND = "Append";

FileImportExportDelegate::~FileImportExportDelegate() = default;
FileImportExportDelegateV2::~FileImportExportDelegateV2() = default;
FileExportDelegate::~FileExportDelegate() = default;
FileExportDelegateV2::~FileExportDelegateV2() = default;

}  // namespace PICommon
