// The interfaces the script's clients hold.
//
// Included into the generated wrapper after SWIG's runtime; not a header of
// the client library.
//
// The host lends its interface objects to clients: one is valid from the
// host's onServiceConnected to its onServiceDisconnected. The clients that
// scripts create tell the binding which interface they hold, so that an
// interface is used only while some client of the script holds it: a
// borrowed interface kept after its connection ended (the host may have
// freed it since) is refused with the argument error instead of being
// called. An interface reached from a held one by dynamic_cast (the same
// host object seen as another interface) is held with it.
#pragma once

#include <unordered_map>
#include <vector>

#include "services/PIClients.h"

namespace pyheld {

struct Holding {
    int clients = 0;
    std::vector<const void*> aliases;  // other addresses of the same object
};

// Never destroyed: clients may still be deleted while the process exits.
inline std::unordered_map<const void*, Holding>& holdings() {
    static auto* all = new std::unordered_map<const void*, Holding>;
    return *all;
}
// Alias address -> the address its object is held under.
inline std::unordered_map<const void*, const void*>& aliases() {
    static auto* all = new std::unordered_map<const void*, const void*>;
    return *all;
}

// The address last found held (every signal a script fires asks for the
// same one); forgotten whenever an interface stops being held.
inline const void*& lastHeld() {
    static const void* address = nullptr;
    return address;
}

// Whether `address` is an interface some client of the script holds. Never
// touches the object.
inline bool held(const void* address) {
    if (address && address == lastHeld()) {
        return true;
    }
    const bool found = address && (holdings().count(address) != 0 || aliases().count(address) != 0);
    if (found) {
        lastHeld() = address;
    }
    return found;
}

// Called for every interface a client starts or stops holding; `ended` is
// told when no client holds it any more (the signal callbacks registered
// through it are removed then).
using EndedHook = void (*)(const void*);
inline EndedHook& endedHook() {
    static EndedHook hook = nullptr;
    return hook;
}

inline void hold(PICommon::BindableInterface* iface) {
    if (iface) {
        ++holdings()[iface].clients;
    }
}

inline void release(PICommon::BindableInterface* iface) {
    const auto found = iface ? holdings().find(iface) : holdings().end();
    if (found == holdings().end() || --found->second.clients > 0) {
        return;
    }
    lastHeld() = nullptr;
    const std::vector<const void*> ended = found->second.aliases;
    for (const void* alias : ended) {
        aliases().erase(alias);
    }
    holdings().erase(found);
    if (endedHook()) {
        endedHook()(iface);
        for (const void* alias : ended) {
            endedHook()(alias);
        }
    }
}

// `result`, found by casting the held interface `from`, is the same object.
inline void holdAlias(const void* from, const void* result) {
    if (!from || !result || from == result || holdings().count(result) != 0 || aliases().count(result) != 0) {
        return;
    }
    const auto alias = aliases().find(from);
    const void* canonical = alias != aliases().end() ? alias->second : from;
    const auto found = holdings().find(canonical);
    if (found != holdings().end()) {
        found->second.aliases.push_back(result);
        aliases()[result] = canonical;
    }
}

// A client that tells the binding what it holds: Client is BasicClient<T>
// or FileLocatorService (same layout and slots as its base). The latter
// binds while it is constructed, before this part exists.
template <class Client>
class Held : public Client {
public:
    Held() { hold(this->getInterface()); }
    ~Held() override { release(this->getInterface()); }
    void onServiceConnected(PICommon::BindableInterface* iface) override {
        PICommon::BindableInterface* before = this->getInterface();
        Client::onServiceConnected(iface);
        PICommon::BindableInterface* after = this->getInterface();
        if (after != before) {
            hold(after);
            release(before);
        }
    }
    void onServiceDisconnected() override {
        PICommon::BindableInterface* before = this->getInterface();
        Client::onServiceDisconnected();
        release(before);
    }
};

// What a script's client classes make.
template <typename T>
PICommon::BasicClient<T>* newClient() {
    return new Held<PICommon::BasicClient<T> >();
}

}  // namespace pyheld
