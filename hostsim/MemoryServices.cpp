// In-memory service implementations.

#include "hostsim/MemoryServices.h"

#include <algorithm>
#include <utility>
#include <iterator>

namespace testhost {

void MemoryEntityGui::showGuiAndSelect(const std::vector<uint64_t>& ids) {
    guiShown = true;
    selectIds(ids);
}

void MemoryEntityGui::selectIds(const std::vector<uint64_t>& ids) {
    selection = ids;
    history.push_back(ids);
}

std::string MemoryFileLocator::locate(FileType type, const std::string& filename) const {
    const auto found = files_.find({type, filename});
    return found == files_.end() ? std::string() : found->second;
}

std::vector<std::string> MemoryFileLocator::getModelTextures(const std::string& modelName) const {
    const auto found = textures_.find(modelName);
    return found == textures_.end() ? std::vector<std::string>() : found->second;
}

void MemoryFileLocator::addFile(FileType type, const std::string& filename, const std::string& path) {
    files_[{type, filename}] = path;
}

void MemoryFileLocator::setModelTextures(const std::string& modelName, std::vector<std::string> textures) {
    textures_[modelName] = std::move(textures);
}

int MemoryFileWriter::write(FileFormat type) {
    if (settings.fileName.empty()) {
        return 1;
    }
    writes.push_back({type, settings});
    return 0;
}

namespace {

bool contains(const std::vector<ifc::SignalCallback*>& list, const ifc::SignalCallback* callback) {
    return std::find(list.begin(), list.end(), callback) != list.end();
}

int addTo(std::vector<ifc::SignalCallback*>& list, ifc::SignalCallback* callback) {
    if (callback == nullptr || contains(list, callback)) {
        return 1;
    }
    list.push_back(callback);
    return 0;
}

int removeFrom(std::vector<ifc::SignalCallback*>& list, ifc::SignalCallback* callback) {
    const auto found = std::find(list.begin(), list.end(), callback);
    if (found == list.end()) {
        return 1;
    }
    list.erase(found);
    return 0;
}

}  // namespace

int MemorySignalService::addCallback(const std::string& name, ifc::SignalCallback* callback) {
    ++changes_;
    return addTo(named_[name], callback);
}

int MemorySignalService::removeCallback(const std::string& name, ifc::SignalCallback* callback) {
    ++changes_;
    const auto found = named_.find(name);
    if (found == named_.end()) {
        return 1;
    }
    const int status = removeFrom(found->second, callback);
    if (found->second.empty()) {
        named_.erase(found);
    }
    return status;
}

int MemorySignalService::addGlobalCallback(ifc::SignalCallback* callback) {
    ++changes_;
    return addTo(global_, callback);
}

int MemorySignalService::removeGlobalCallback(ifc::SignalCallback* callback) {
    ++changes_;
    return removeFrom(global_, callback);
}

bool MemorySignalService::hasCallbacks(const std::string& name) { return named_.count(name) != 0; }

const std::vector<ifc::SignalCallback*>& MemorySignalService::callbacksFor(const std::string& name) const {
    static const std::vector<ifc::SignalCallback*> none;
    // The same text as the last name asked for (a string sharing it: equal
    // addresses of a text this object holds a share of) while no
    // registration changed has the same receivers.
    if (lastFound_ && lastChanges_ == changes_ && std::as_const(lastName_).data() == name.data()) {
        return *lastFound_;
    }
    const auto found = named_.find(name);
    lastName_ = name;
    lastChanges_ = changes_;
    lastFound_ = found == named_.end() ? &none : &found->second;
    return *lastFound_;
}

bool MemorySignalService::isRegistered(const std::string& name, const ifc::SignalCallback* callback) const {
    return contains(callbacksFor(name), callback) || contains(global_, callback);
}

int MemorySignalService::fireCallbacks(const std::string& name, ifc::SignalData* data) {
    // A copy that shares the caller's text until either changes; a name
    // fired again is the same text already.
    fired.add() = name;
    // Callbacks may add or remove callbacks while they run: walk a copy of
    // the receivers and, once the registrations changed, skip those that were
    // removed in the meantime. A few receivers are copied onto the stack.
    const std::vector<ifc::SignalCallback*>& named = callbacksFor(name);
    const std::size_t count = named.size() + global_.size();
    ifc::SignalCallback* few[8];
    std::vector<ifc::SignalCallback*> many;
    ifc::SignalCallback** receivers = few;
    if (count > std::size(few)) {
        many.resize(count);
        receivers = many.data();
    }
    std::copy(global_.begin(), global_.end(), std::copy(named.begin(), named.end(), receivers));
    const unsigned long changesBefore = changes_;
    int called = 0;
    for (std::size_t i = 0; i < count; ++i) {
        if (changes_ == changesBefore || isRegistered(name, receivers[i])) {
            receivers[i]->callback(name, data);
            ++called;
        }
    }
    return called;
}

int MemorySnapShot::setPlotTabActive(const std::string& name, bool active) {
    plotTabs[name] = active;
    return 0;
}

int MemorySnapShot::setSaveCurrentPlotTab(bool save) {
    saveCurrentPlotTab = save;
    return 0;
}

}  // namespace testhost
