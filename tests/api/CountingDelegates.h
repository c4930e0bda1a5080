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

// What each delegate's createEditor returns, and its processing results.
inline QWidget* const kEditor = reinterpret_cast<QWidget*>(0xED17);
constexpr int kWidgetResult = 11;
constexpr int kOptionsResult = 22;

template <typename Base>
class Counting : public Base {
public:
    explicit Counting(Calls& calls) : calls_(calls) {}
    ~Counting() override { ++calls_.destroyed; }
    QWidget* createEditor(QWidget* parent) const override { return calls_.parent = parent, kEditor; }
    int processFileWithWidget(const std::string& fileName, const QWidget* editor) const override {
        calls_.fileName = fileName;
        calls_.editor = editor;
        return kWidgetResult;
    }
    // An override for the delegates that have it.
    int processFileWithOptions(const std::string& fileName,
                               const std::map<std::string, std::string>& options) const {
        ++calls_.processed;
        calls_.fileName = fileName;
        calls_.options = &options;
        return kOptionsResult;
    }

private:
    Calls& calls_;
};

using ExportDelegate = Counting<PICommon::FileExportDelegate>;
using ExportDelegateV2 = Counting<PICommon::FileExportDelegateV2>;
using ImportExportDelegate = Counting<PICommon::FileImportExportDelegate>;
using ImportExportDelegateV2 = Counting<PICommon::FileImportExportDelegateV2>;

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
