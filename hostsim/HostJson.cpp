#include "hostsim/HostJson.h"

#include <cstdio>
#include <sstream>

#include "hostsim/ServiceHost.h"

namespace testhost {
namespace json {

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

std::string number(double value) {
    std::ostringstream out;
    out.precision(17);
    out << value;
    return out.str();
}

std::string boolean(bool value) { return value ? "true" : "false"; }

std::string block(const Block& b) {
    std::ostringstream out;
    out << "{\"kind\": " << quoted(kindName(b.kind));
    out << ", \"opts\": " << list(std::vector<int32_t>(b.opts.begin(), b.opts.end()), [](int32_t v) {
        return std::to_string(v);
    });
    out << ", \"dbls\": " << list(b.dbls, number);
    out << ", \"ints\": " << list(b.ints, [](int32_t v) { return std::to_string(v); });
    out << ", \"strs\": " << list(b.strs, quoted);
    out << ", \"ptrs\": " << list(b.ptrs, address);
    switch (b.kind) {
    case BlockKind::Null:
    case BlockKind::Raw:
    case BlockKind::CatchAll:
        break;
    case BlockKind::DirectString:
        out << ", \"directString\": " << quoted(b.directString);
        break;
    case BlockKind::DirectInt:
        out << ", \"directInt\": " << b.directInt;
        break;
    case BlockKind::RegisterHandler:
        out << ", \"string1\": " << quoted(b.string1) << ", \"string2\": " << quoted(b.string2)
            << ", \"mask\": " << b.mask;
        break;
    default:
        out << ", \"pointer\": " << address(b.pointer) << ", \"pointerValue\": " << address(b.pointerValue)
            << ", \"function\": " << address(b.function) << ", \"intValue\": " << b.intValue
            << ", \"doubleValue\": " << number(b.doubleValue) << ", \"boolValue\": " << boolean(b.boolValue)
            << ", \"stringValue\": " << quoted(b.stringValue) << ", \"stringValue2\": " << quoted(b.stringValue2);
    }
    out << "}";
    return out.str();
}

std::string request(const Request& r) {
    return "{\"context\": " + address(r.context) + ", \"code\": " + std::to_string(r.code) +
           ", \"data\": " + address(r.data) + ", \"block\": " + block(r.block) + "}";
}

std::string services(const ServiceHost& host) {
    const auto ids = [](const std::vector<uint64_t>& v) {
        return list(v, [](uint64_t id) { return std::to_string(id); });
    };
    const auto& w = host.fileWriter.settings;
    std::ostringstream out;
    out << "{\"bindings\": {";
    bool first = true;
    for (const char* name :
         {kDataBrowserService, kFileLocatorService, kFileWriterService, kSignalService, kSnapShotService}) {
        out << (first ? "" : ", ") << quoted(name) << ": " << list(host.clientsOf(name), address);
        first = false;
    }
    out << "}, \"entityGui\": {\"guiShown\": " << boolean(host.entityGui.guiShown)
        << ", \"treeView\": " << boolean(host.entityGui.treeView)
        << ", \"history\": " << list(host.entityGui.history, ids) << "}";
    out << ", \"fileWriter\": {\"fileName\": " << quoted(w.fileName)
        << ", \"startTime\": " << number(w.startTime) << ", \"endTime\": " << number(w.endTime)
        << ", \"showGui\": " << boolean(w.showGui) << ", \"filePath\": " << w.filePath
        << ", \"timeFormat\": " << w.timeFormat << ", \"cull\": " << boolean(w.cull)
        << ", \"cullAngle\": " << number(w.cullAngle) << ", \"includeModels\": " << boolean(w.includeModels)
        << ", \"coordinateSystem\": " << w.coordinateSystem
        << ", \"saveExternalFiles\": " << boolean(w.saveExternalFiles) << ", \"writes\": "
        << list(host.fileWriter.writes,
                [](const MemoryFileWriter::Write& write) {
                    return "{\"format\": " + std::to_string(write.format) +
                           ", \"fileName\": " + quoted(write.settings.fileName) + "}";
                })
        << "}";
    const auto& s = host.snapShot;
    out << ", \"snapShot\": {\"directory\": " << quoted(s.directory) << ", \"fileType\": " << s.fileType
        << ", \"filename\": " << quoted(s.filename) << ", \"useScenarioTime\": " << boolean(s.useScenarioTime)
        << ", \"timerIntervalSeconds\": " << s.timerIntervalSeconds
        << ", \"snapShotsTaken\": " << s.snapShotsTaken << ", \"timerRunning\": " << boolean(s.timerRunning)
        << ", \"saveCurrentPlotTab\": " << boolean(s.saveCurrentPlotTab) << "}";
    out << ", \"signals\": {\"fired\": " << list(host.signals.fired, quoted)
        << ", \"global\": " << list(host.signals.globalCallbacks(), address) << "}}";
    return out.str();
}

}  // namespace json
}  // namespace testhost
