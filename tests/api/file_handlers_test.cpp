// File and network handlers, delegate registrations and their ownership
// rule, and the export-delegate adapter.

#include <gtest/gtest.h>

#include <memory>
#include <optional>

#include "api/PIFileDelegates.h"
#include "api/PIFileHandlers.h"
#include "tests/api/CountingDelegates.h"
#include "tests/api/ExpectedRequests.h"

namespace {

using apitest::at;
using apitest::Calls;
using apitest::CountedAdapter;
using apitest::Expected;
using apitest::ExportDelegate;
using apitest::ExportDelegateV2;
using apitest::ImportExportDelegate;
using apitest::ImportExportDelegateV2;
using PICommon::FileImportExportDelegate;

constexpr int32_t kDelegates = 323;

// Answers every delegate registration with `status`; unanswered when empty.
void answerRegistrations(std::optional<int32_t> status) {
    if (!status) {
        testhost::respond(kDelegates, {});
        return;
    }
    testhost::respond(kDelegates, [status](testhost::Exchange& e) {
        e.setInt(1, *status);
        return nullptr;
    });
}

// Delegates the host accepted: the test, playing the host, deletes them.
class HostOwned {
public:
    template <typename Delegate>
    void adopt(Delegate* delegate) {
        deleters_.push_back([delegate] { delete delegate; });
    }
    ~HostOwned() {
        for (const auto& deleter : deleters_) {
            deleter();
        }
    }

private:
    std::vector<std::function<void()>> deleters_;
};

template <typename Delegate, typename Register>
int registered(HostOwned& host, Delegate* delegate, Register registerIt) {
    const int status = registerIt(delegate);
    if (status == 0) {
        host.adopt(delegate);
    }
    return status;
}

Expected handler(int32_t code, const std::string& string1, const std::string& string2, uint32_t mask) {
    Expected e;
    e.code = code;
    e.kind = testhost::BlockKind::RegisterHandler;
    e.string1 = string1;
    e.string2 = string2;
    e.mask = mask;
    return e;
}

Expected registration(std::vector<int32_t> ints, const void* delegate) {
    Expected e;
    e.code = kDelegates;
    e.ints = std::move(ints);
    e.strs = {"Scenario (*.asi)", "asi"};
    e.ptrs = {at(delegate)};
    return e;
}

class FileHandlers : public apitest::WithHost {};

TEST_F(FileHandlers, every_registration_sends_its_tabled_request) {
    Calls calls;
    HostOwned host;
    auto* exporter = new ExportDelegate(calls);
    auto* importExporter = new ImportExportDelegate(calls);
    auto* importExporterV2 = new ImportExportDelegateV2(calls);
    auto* adapter = new PICommon::FileExportDelegateAdapter(new ExportDelegate(calls));
    host.adopt(importExporter);
    host.adopt(importExporterV2);
    host.adopt(adapter);
    host.adopt(exporter);
    const std::string t1 = "Scenario (*.asi)";
    const std::string t2 = "asi";
    const void* asBase = static_cast<FileImportExportDelegate*>(importExporterV2);

    const struct {
        const char* operation;
        std::function<void()> call;
        Expected expected;
    } cases[] = {
        {"registerFileHandler", [] { PICommon::registerFileHandler("Scenario", "*.asi", 5); },
         handler(500, "Scenario", "*.asi", 5)},
        {"registerFileHandler all mask bits", [] { PICommon::registerFileHandler("", "x", 0xFFFFFFFFu); },
         handler(500, "", "x", 0xFFFFFFFFu)},
        {"registerNetworkHandler", [] { PICommon::registerNetworkHandler("udp"); },
         handler(501, "", "udp", 0)},
        {"registerFileExportHandler(FileExportDelegate*)",
         [&] { PICommon::registerFileExportHandler(t1, t2, exporter, 7); },
         registration({0, 1, 7}, exporter)},
        {"registerFileOpenAdvancedGui(FileExportDelegate*)",
         [&] { PICommon::registerFileOpenAdvancedGui(t1, t2, exporter); }, registration({3, 1}, exporter)},
        {"registerFileExportHandler(FileImportExportDelegate*)",
         [&] { PICommon::registerFileExportHandler(t1, t2, importExporter, -8); },
         registration({4, 1, -8}, importExporter)},
        {"registerFileExportHandler(FileImportExportDelegateV2*)",
         [&] { PICommon::registerFileExportHandler(t1, t2, importExporterV2, 9); },
         registration({4, 1, 9}, asBase)},
        {"registerFileOpenAdvancedGui(FileImportExportDelegate*)",
         [&] { PICommon::registerFileOpenAdvancedGui(t1, t2, importExporter); },
         registration({5, 1}, importExporter)},
        {"registerFileOpenAdvancedGui(FileImportExportDelegateV2*)",
         [&] { PICommon::registerFileOpenAdvancedGui(t1, t2, importExporterV2, 10); },
         registration({5, 1, 10}, asBase)},
        {"an adapter as an import/export delegate",
         [&] { PICommon::registerFileExportHandler(t1, t2, adapter, 0); }, registration({4, 1, 0}, adapter)},
    };
    const apitest::Answer accept = [](testhost::Exchange& e) -> void* {
        if (e.request().code == kDelegates) {
            e.setInt(1, 0);
        }
        return nullptr;
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.operation);
        apitest::expectRequests(c.call, {c.expected}, apitest::kContext, accept);
    }
    EXPECT_EQ(calls.destroyed, 0) << "accepted delegates belong to the host";
}

TEST_F(FileHandlers, a_refused_delegate_is_deleted_and_an_accepted_one_is_left_to_the_host) {
    const struct {
        const char* operation;
        std::function<int(Calls&, HostOwned&)> registerNew;
    } registrations[] = {
        {"registerFileExportHandler(FileExportDelegate*)",
         [](Calls& calls, HostOwned& host) {
             return registered(host, new ExportDelegate(calls),
                               [](auto* d) { return PICommon::registerFileExportHandler("a", "b", d, 1); });
         }},
        {"registerFileOpenAdvancedGui(FileExportDelegate*)",
         [](Calls& calls, HostOwned& host) {
             return registered(host, new ExportDelegateV2(calls),
                               [](auto* d) { return PICommon::registerFileOpenAdvancedGui("a", "b", d); });
         }},
        {"registerFileExportHandler(FileImportExportDelegate*)",
         [](Calls& calls, HostOwned& host) {
             return registered(host, new ImportExportDelegate(calls),
                               [](auto* d) { return PICommon::registerFileExportHandler("a", "b", d, 1); });
         }},
        {"registerFileExportHandler(FileImportExportDelegateV2*)",
         [](Calls& calls, HostOwned& host) {
             return registered(host, new ImportExportDelegateV2(calls),
                               [](auto* d) { return PICommon::registerFileExportHandler("a", "b", d, 1); });
         }},
        {"registerFileOpenAdvancedGui(FileImportExportDelegate*)",
         [](Calls& calls, HostOwned& host) {
             return registered(host, new ImportExportDelegate(calls),
                               [](auto* d) { return PICommon::registerFileOpenAdvancedGui("a", "b", d); });
         }},
        {"registerFileOpenAdvancedGui(FileImportExportDelegateV2*)",
         [](Calls& calls, HostOwned& host) {
             return registered(host, new ImportExportDelegateV2(calls),
                               [](auto* d) { return PICommon::registerFileOpenAdvancedGui("a", "b", d, 1); });
         }},
    };
    const struct {
        std::optional<int32_t> answer;
        int status;
        int destroyed;
    } outcomes[] = {{{}, 1, 1}, {0, 0, 0}, {2, 2, 1}, {-1, -1, 1}};

    for (const auto& r : registrations) {
        for (const auto& o : outcomes) {
            SCOPED_TRACE(testing::Message() << r.operation << ", status " << o.status);
            Calls calls;
            {
                HostOwned host;
                answerRegistrations(o.answer);
                EXPECT_EQ(r.registerNew(calls, host), o.status);
                EXPECT_EQ(calls.destroyed, o.destroyed) << "when the registration returns";
            }
            EXPECT_EQ(calls.destroyed, 1) << "exactly once in all";
        }
    }
}

TEST_F(FileHandlers, a_null_delegate_is_sent_as_null_and_nothing_is_deleted) {
    answerRegistrations(3);
    EXPECT_EQ(
        PICommon::registerFileExportHandler("a", "b", static_cast<PICommon::FileExportDelegate*>(nullptr), 1),
        3);
    EXPECT_EQ(
        PICommon::registerFileOpenAdvancedGui("a", "b", static_cast<FileImportExportDelegate*>(nullptr)), 3);
    EXPECT_EQ(PICommon::registerFileOpenAdvancedGui(
                  "a", "b", static_cast<PICommon::FileImportExportDelegateV2*>(nullptr), 1),
              3);
    for (const auto& request : testhost::requestsWithCode(kDelegates)) {
        EXPECT_EQ(request.block.ptrs, std::vector<const void*>{nullptr});
    }
}

TEST_F(FileHandlers, a_later_refusal_deletes_only_the_refused_delegate) {
    Calls first;
    Calls second;
    HostOwned host;
    auto* accepted = new ImportExportDelegate(first);
    answerRegistrations(0);
    ASSERT_EQ(PICommon::registerFileExportHandler("a", "b", accepted, 1), 0);
    host.adopt(accepted);
    answerRegistrations(4);
    EXPECT_EQ(PICommon::registerFileExportHandler("a", "b", new ImportExportDelegate(second), 1), 4);
    EXPECT_EQ(first.destroyed, 0);
    EXPECT_EQ(second.destroyed, 1);
}

TEST_F(FileHandlers, a_refused_adapter_is_deleted_with_the_delegate_it_wraps) {
    const std::function<int(FileImportExportDelegate*)> overloads[] = {
        [](FileImportExportDelegate* d) { return PICommon::registerFileExportHandler("a", "b", d, 1); },
        [](FileImportExportDelegate* d) { return PICommon::registerFileOpenAdvancedGui("a", "b", d); },
    };
    answerRegistrations(1);
    for (const auto& registerIt : overloads) {
        Calls calls;
        EXPECT_EQ(registerIt(new CountedAdapter(calls, new ExportDelegate(calls))), 1);
        EXPECT_EQ(calls.adaptersDestroyed, 1);
        EXPECT_EQ(calls.destroyed, 1);
    }
}

TEST_F(FileHandlers, the_host_uses_an_accepted_adapter_as_an_import_export_delegate) {
    Calls calls;
    FileImportExportDelegate* kept = nullptr;
    testhost::respond(kDelegates, [&kept](testhost::Exchange& e) {
        kept = static_cast<FileImportExportDelegate*>(e.pointerAt(0));
        e.setInt(1, 0);
        return nullptr;
    });
    auto* adapter = new PICommon::FileExportDelegateAdapter(new ExportDelegateV2(calls));
    ASSERT_EQ(PICommon::registerFileOpenAdvancedGui("a", "b", adapter), 0);
    ASSERT_EQ(kept, adapter);

    const std::map<std::string, std::string> options = {{FileImportExportDelegate::APPEND, "1"}};
    EXPECT_EQ(kept->processFileWithOptions("/data/out.asi", options), apitest::kOptionsResult);
    EXPECT_EQ(calls.fileName, "/data/out.asi");
    delete kept;
    EXPECT_EQ(calls.destroyed, 1);
}

TEST(FileExportDelegateAdapter, forwards_editor_and_widget_processing_to_the_wrapped_delegate) {
    Calls calls;
    const PICommon::FileExportDelegateAdapter adapter(new ExportDelegate(calls));
    QWidget* const parent = reinterpret_cast<QWidget*>(0x9A);
    const QWidget* const editor = reinterpret_cast<const QWidget*>(0xED);

    EXPECT_EQ(adapter.createEditor(parent), apitest::kEditor);
    EXPECT_EQ(calls.parent, parent);
    EXPECT_EQ(adapter.processFileWithWidget("/data/a.asi", editor), apitest::kWidgetResult);
    EXPECT_EQ(calls.fileName, "/data/a.asi");
    EXPECT_EQ(calls.editor, editor);
}

TEST(FileExportDelegateAdapter, honours_an_options_map_only_through_a_second_version_delegate) {
    const std::map<std::string, std::string> options = {{PICommon::FileExportDelegateV2::APPEND, "true"}};
    const struct {
        const char* wrapped;
        std::function<PICommon::FileExportDelegate*(Calls&)> make;
        int result;
        int processed;
    } cases[] = {
        {"nothing", [](Calls&) { return nullptr; }, 1, 0},
        {"FileExportDelegate", [](Calls& c) { return new ExportDelegate(c); }, 1, 0},
        {"FileExportDelegateV2", [](Calls& c) { return new ExportDelegateV2(c); }, apitest::kOptionsResult,
         1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.wrapped);
        Calls calls;
        const PICommon::FileExportDelegateAdapter adapter(c.make(calls));
        EXPECT_EQ(adapter.processFileWithOptions("/data/b.asi", options), c.result);
        EXPECT_EQ(calls.processed, c.processed);
        if (c.processed != 0) {
            EXPECT_EQ(calls.fileName, "/data/b.asi");
            EXPECT_EQ(calls.options, &options) << "the same map, not a copy";
        }
    }
}

TEST(FileExportDelegateAdapter, owns_the_delegate_it_wraps) {
    Calls calls;
    { PICommon::FileExportDelegateAdapter adapter(new ExportDelegate(calls)); }
    EXPECT_EQ(calls.destroyed, 1);
    { PICommon::FileExportDelegateAdapter empty(nullptr); }
}

TEST(FileDelegates, both_append_option_names_are_Append) {
    EXPECT_EQ(PICommon::FileImportExportDelegate::APPEND, "Append");
    EXPECT_EQ(PICommon::FileExportDelegateV2::APPEND, "Append");
    EXPECT_EQ(PICommon::FileExportDelegateV2::APPEND.size(), 6u);
}

}  // namespace
