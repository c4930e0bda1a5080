#include "hostsim/TestHostC.h"

#include <cstdio>
#include <memory>
#include <sstream>

#include "hostsim/ServiceHost.h"

namespace testhost {
namespace {

std::unique_ptr<ServiceHost>& serviceHost() {
    static std::unique_ptr<ServiceHost> host;
    return host;
}

std::string quoted(const std::string& text) {
    std::string out = "\"";
    for (unsigned char c : text) {
        switch (c) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        default:
            if (c < 0x20) {
                char escaped[8];
                std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
                out += escaped;
            } else {
                out += static_cast<char>(c);
            }
        }
    }
    return out + "\"";
}

std::string address(const void* pointer) { return std::to_string(reinterpret_cast<uintptr_t>(pointer)); }

template <typename T, typename Format>
std::string list(const std::vector<T>& items, Format format) {
    std::string out = "[";
    for (std::size_t i = 0; i < items.size(); ++i) {
        out += (i ? ", " : "") + format(items[i]);
    }
    return out + "]";
}

std::string number(double value) {
    std::ostringstream out;
    out.precision(17);
    out << value;
    return out.str();
}

std::string boolean(bool value) { return value ? "true" : "false"; }

std::string blockJson(const Block& b) {
    std::ostringstream out;
    out << "{\"kind\": " << quoted(kindName(b.kind));
    out << ", \"opts\": " << list(std::vector<int32_t>(b.opts.begin(), b.opts.end()), [](int32_t v) {
        return std::to_string(v);
    });
    out << ", \"dbls\": " << list(b.dbls, number);
    out << ", \"ints\": " << list(b.ints, [](int32_t v) { return std::to_string(v); });
    out << ", \"strs\": " << list(b.strs, quoted);
    out << ", \"ptrs\": " << list(b.ptrs, address);
    out << "}";
    return out.str();
}

}  // namespace
}  // namespace testhost

using namespace testhost;

void testhost_reset(void) {
    serviceHost().reset();
    reset();
}

void testhost_serve(void) { serviceHost() = std::make_unique<ServiceHost>(); }

void testhost_report_context(void* context) {
    respond(16, [context](Exchange& e) {
        if (e.selector() == 0) {
            e.setPointer(0, context);
        }
        return nullptr;
    });
}

const char* testhost_requests_json(void) {
    static std::string text;
    text = list(requests(), [](const Request& r) {
        return "{\"context\": " + address(r.context) + ", \"code\": " + std::to_string(r.code) +
               ", \"data\": " + address(r.data) + ", \"block\": " + blockJson(r.block) + "}";
    });
    return text.c_str();
}

const char* testhost_state_json(void) {
    static std::string text;
    ServiceHost* host = serviceHost().get();
    if (host == nullptr) {
        text = "null";
        return text.c_str();
    }
    const auto ids = [](const std::vector<uint64_t>& v) {
        return list(v, [](uint64_t id) { return std::to_string(id); });
    };
    const auto& w = host->fileWriter.settings;
    std::ostringstream out;
    out << "{\"bindings\": {";
    bool first = true;
    for (const char* name :
         {kDataBrowserService, kFileLocatorService, kFileWriterService, kSignalService, kSnapShotService}) {
        out << (first ? "" : ", ") << quoted(name) << ": " << list(host->clientsOf(name), address);
        first = false;
    }
    out << "}, \"entityGui\": {\"guiShown\": " << boolean(host->entityGui.guiShown)
        << ", \"treeView\": " << boolean(host->entityGui.treeView)
        << ", \"history\": " << list(host->entityGui.history, ids) << "}";
    out << ", \"fileWriter\": {\"fileName\": " << quoted(w.fileName)
        << ", \"startTime\": " << number(w.startTime) << ", \"endTime\": " << number(w.endTime)
        << ", \"showGui\": " << boolean(w.showGui) << ", \"filePath\": " << w.filePath
        << ", \"timeFormat\": " << w.timeFormat << ", \"cull\": " << boolean(w.cull)
        << ", \"cullAngle\": " << number(w.cullAngle) << ", \"includeModels\": " << boolean(w.includeModels)
        << ", \"coordinateSystem\": " << w.coordinateSystem
        << ", \"saveExternalFiles\": " << boolean(w.saveExternalFiles) << ", \"writes\": "
        << list(host->fileWriter.writes,
                [](const MemoryFileWriter::Write& write) {
                    return "{\"format\": " + std::to_string(write.format) +
                           ", \"fileName\": " + quoted(write.settings.fileName) + "}";
                })
        << "}";
    const auto& s = host->snapShot;
    out << ", \"snapShot\": {\"directory\": " << quoted(s.directory) << ", \"fileType\": " << s.fileType
        << ", \"filename\": " << quoted(s.filename) << ", \"useScenarioTime\": " << boolean(s.useScenarioTime)
        << ", \"timerIntervalSeconds\": " << s.timerIntervalSeconds
        << ", \"snapShotsTaken\": " << s.snapShotsTaken << ", \"timerRunning\": " << boolean(s.timerRunning)
        << ", \"saveCurrentPlotTab\": " << boolean(s.saveCurrentPlotTab) << "}";
    out << ", \"signals\": {\"fired\": " << list(host->signals.fired, quoted)
        << ", \"global\": " << list(host->signals.globalCallbacks(), address) << "}}";
    text = out.str();
    return text.c_str();
}

void testhost_connect(void* client, const char* serviceName) {
    ServiceHost* host = serviceHost().get();
    PICommon::BindableInterface* service = host ? host->serviceNamed(serviceName) : nullptr;
    ServiceHost::connect(client, service);
}

void testhost_disconnect(void* client) { ServiceHost::disconnect(client); }

void testhost_publish_as(const char* existingName, const char* newName) {
    if (ServiceHost* host = serviceHost().get()) {
        host->publish(newName, host->serviceNamed(existingName));
    }
}

void testhost_withdraw(const char* serviceName) {
    if (ServiceHost* host = serviceHost().get()) {
        host->withdraw(serviceName);
    }
}

void testhost_add_file(int type, const char* filename, const char* path) {
    if (ServiceHost* host = serviceHost().get()) {
        host->fileLocator.addFile(static_cast<PluginClient::Interfaces::FileLocatorInterface::FileType>(type),
                                  filename, path);
    }
}

void testhost_add_model_texture(const char* modelName, const char* texture) {
    if (ServiceHost* host = serviceHost().get()) {
        std::vector<std::string> textures = host->fileLocator.getModelTextures(modelName);
        textures.push_back(texture);
        host->fileLocator.setModelTextures(modelName, textures);
    }
}
