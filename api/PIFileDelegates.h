// Import/export delegates: objects a plug-in hands to the host so that the
// host can build an options editor and process files with it.
//
// The library only passes QWidget pointers between host and delegate.
#pragma once

#include <map>
#include <string>

#include "bridge/PIExport.h"

class QWidget;

namespace PICommon {

// Import/export delegate; the host calls its operations. Slot order after
// the destructor pair: createEditor, processFileWithWidget,
// processFileWithOptions.
class PI_EXPORT FileImportExportDelegate {
public:
    // Name of an option that may appear in the options map: "Append".
    static const std::string APPEND;

    virtual ~FileImportExportDelegate();
    virtual QWidget* createEditor(QWidget* parent) const = 0;
    virtual int processFileWithWidget(const std::string& fileName, const QWidget* editor) const = 0;
    virtual int processFileWithOptions(const std::string& fileName,
                                       const std::map<std::string, std::string>& options) const = 0;
};

// Second version of the import/export delegate, usable by the host as a
// FileImportExportDelegate.
class PI_EXPORT FileImportExportDelegateV2 : public FileImportExportDelegate {
public:
    ~FileImportExportDelegateV2() override;
};

// The older, export-only delegate. Slot order after the destructor pair:
// processFileWithWidget, createEditor.
class PI_EXPORT FileExportDelegate {
public:
    virtual ~FileExportDelegate();
    virtual int processFileWithWidget(const std::string& fileName, const QWidget* editor) const = 0;
    virtual QWidget* createEditor(QWidget* parent) const = 0;
};

// Export-only delegate that also takes an options map.
class PI_EXPORT FileExportDelegateV2 : public FileExportDelegate {
public:
    // Name of an option that may appear in the options map: "Append".
    static const std::string APPEND;

    ~FileExportDelegateV2() override;
    virtual int processFileWithOptions(const std::string& fileName,
                                       const std::map<std::string, std::string>& options) const = 0;
};

// Presents an export-only delegate as an import/export delegate, for the
// registrations that take a FileImportExportDelegate. The adapter owns the
// delegate it wraps and deletes it when it is itself destroyed.
class PI_EXPORT FileExportDelegateAdapter : public FileImportExportDelegate {
public:
    // Takes ownership of `wrapped`, which may be null.
    explicit FileExportDelegateAdapter(FileExportDelegate* wrapped);
    ~FileExportDelegateAdapter() override;

    FileExportDelegateAdapter(const FileExportDelegateAdapter&) = delete;
    FileExportDelegateAdapter& operator=(const FileExportDelegateAdapter&) = delete;

    // Forwarded to the wrapped delegate, which must exist.
    QWidget* createEditor(QWidget* parent) const override;
    int processFileWithWidget(const std::string& fileName, const QWidget* editor) const override;

    // Forwarded when the wrapped delegate is a FileExportDelegateV2; returns
    // 1 (cannot process) without calling anything otherwise, or when there
    // is no wrapped delegate.
    int processFileWithOptions(const std::string& fileName,
                               const std::map<std::string, std::string>& options) const override;

private:
    FileExportDelegate* wrapped_;
};

}  // namespace PICommon
