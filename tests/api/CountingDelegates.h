// Delegates for tests: each records how the host called it and counts its
// destructor runs in a Calls record that outlives it.
#pragma once

#include <map>
#include <string>

#include "api/PIFileDelegates.h"

namespace apitest {

struct Calls {
    int destroyed = 0;
    int adaptersDestroyed = 0;
    int processed = 0;
    std::string fileName;
    const QWidget* editor = nullptr;
    QWidget* parent = nullptr;
    const std::map<std::string, std::string>* options = nullptr;
};

// What each delegate's createEditor returns, and its processing result.
inline QWidget* const kEditor = reinterpret_cast<QWidget*>(0xED17);
constexpr int kWidgetResult = 11;
constexpr int kOptionsResult = 22;

class ExportDelegate : public PICommon::FileExportDelegate {
public:
    explicit ExportDelegate(Calls& calls) : calls_(calls) {}
    ~ExportDelegate() override { ++calls_.destroyed; }
    int processFileWithWidget(const std::string& fileName, const QWidget* editor) const override {
        ++calls_.processed;
        calls_.fileName = fileName;
        calls_.editor = editor;
        return kWidgetResult;
    }
    QWidget* createEditor(QWidget* parent) const override {
        calls_.parent = parent;
        return kEditor;
    }

private:
    Calls& calls_;
};

class ExportDelegateV2 : public PICommon::FileExportDelegateV2 {
public:
    explicit ExportDelegateV2(Calls& calls) : calls_(calls) {}
    ~ExportDelegateV2() override { ++calls_.destroyed; }
    int processFileWithWidget(const std::string&, const QWidget*) const override { return kWidgetResult; }
    QWidget* createEditor(QWidget*) const override { return kEditor; }
    int processFileWithOptions(const std::string& fileName,
                               const std::map<std::string, std::string>& options) const override {
        ++calls_.processed;
        calls_.fileName = fileName;
        calls_.options = &options;
        return kOptionsResult;
    }

private:
    Calls& calls_;
};

template <typename Base>
class ImportExportDelegateOf : public Base {
public:
    explicit ImportExportDelegateOf(Calls& calls) : calls_(calls) {}
    ~ImportExportDelegateOf() override { ++calls_.destroyed; }
    QWidget* createEditor(QWidget*) const override { return kEditor; }
    int processFileWithWidget(const std::string&, const QWidget*) const override { return kWidgetResult; }
    int processFileWithOptions(const std::string&, const std::map<std::string, std::string>&) const override {
        return kOptionsResult;
    }

private:
    Calls& calls_;
};

using ImportExportDelegate = ImportExportDelegateOf<PICommon::FileImportExportDelegate>;
using ImportExportDelegateV2 = ImportExportDelegateOf<PICommon::FileImportExportDelegateV2>;

// An adapter that also counts its own destructor runs.
class CountedAdapter : public PICommon::FileExportDelegateAdapter {
public:
    CountedAdapter(Calls& calls, PICommon::FileExportDelegate* wrapped)
        : FileExportDelegateAdapter(wrapped), calls_(calls) {}
    ~CountedAdapter() override { ++calls_.adaptersDestroyed; }

private:
    Calls& calls_;
};

}  // namespace apitest
