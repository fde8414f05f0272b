// Resolution through the Avahi daemon: one client per process, driven by the Qt event loop of
// the thread that first resolves; one Avahi service resolver per resolution.
#include "QtAvahiPoll.h"
#include "ServiceResolver.h"

#include <CFData.h>

#include <avahi-client/client.h>
#include <avahi-client/lookup.h>
#include <avahi-common/error.h>

#include <netinet/in.h>

#include <cstring>
#include <set>
#include <utility>

namespace cfnet {
namespace {

class AvahiResolution;

// The process's connection to the daemon, remade when the daemon has gone away.
class AvahiConnection {
  public:
    // The client, connected; null with *error set when there is no daemon to talk to.
    AvahiClient* client(CFStreamError& error);

    std::set<AvahiResolution*> running;

  private:
    static void stateChanged(AvahiClient* client, AvahiClientState state, void* userdata);

    QtAvahiPoll poll_;
    AvahiClient* client_ = nullptr;
};

AvahiConnection& connection() {
    static auto* only = new AvahiConnection(); // lives as long as the process
    return *only;
}

// A socket address for what the daemon found; an IPv6 link-local address is scoped to the
// interface it was found on.
CFRef<CFArrayRef> addressesOf(const AvahiAddress& address, AvahiIfIndex interface, uint16_t port) {
    CFRef<CFDataRef> data;
    if (address.proto == AVAHI_PROTO_INET) {
        sockaddr_in socketAddress{};
        socketAddress.sin_family = AF_INET;
        socketAddress.sin_port = htons(port);
        socketAddress.sin_addr.s_addr = address.data.ipv4.address;
        data.reset(CFDataCreate(nullptr, reinterpret_cast<const UInt8*>(&socketAddress),
                                sizeof socketAddress));
    } else {
        sockaddr_in6 socketAddress{};
        socketAddress.sin6_family = AF_INET6;
        socketAddress.sin6_port = htons(port);
        std::memcpy(&socketAddress.sin6_addr, address.data.ipv6.address, 16);
        if (IN6_IS_ADDR_LINKLOCAL(&socketAddress.sin6_addr) && interface > 0)
            socketAddress.sin6_scope_id = uint32_t(interface);
        data.reset(CFDataCreate(nullptr, reinterpret_cast<const UInt8*>(&socketAddress),
                                sizeof socketAddress));
    }
    const void* values[] = {data.get()};
    return CFRef<CFArrayRef>(CFArrayCreate(nullptr, values, data ? 1 : 0, &kCFTypeArrayCallBacks));
}

class AvahiResolution : public Resolution {
  public:
    explicit AvahiResolution(AnswerHandler handler) : handler_(std::move(handler)) {
        connection().running.insert(this);
    }
    ~AvahiResolution() override {
        connection().running.erase(this);
        if (resolver_) avahi_service_resolver_free(resolver_);
    }

    bool start(AvahiClient* client, const ServiceName& service) {
        resolver_ = avahi_service_resolver_new(
            client, AVAHI_IF_UNSPEC, AVAHI_PROTO_UNSPEC, service.name.c_str(), service.type.c_str(),
            service.domain.c_str(), AVAHI_PROTO_UNSPEC, AvahiLookupFlags(0), resolved, this);
        return resolver_ != nullptr;
    }

    // Ends the resolution with an answer; the handler may destroy this resolution.
    void answer(CFRef<CFArrayRef> addresses, CFStreamError error) {
        AnswerHandler handler = std::exchange(handler_, nullptr);
        if (handler) handler(std::move(addresses), error);
    }

  private:
    static void resolved(AvahiServiceResolver*, AvahiIfIndex interface, AvahiProtocol,
                         AvahiResolverEvent event, const char*, const char*, const char*,
                         const char*, const AvahiAddress* address, uint16_t port, AvahiStringList*,
                         AvahiLookupResultFlags, void* userdata) {
        auto* self = static_cast<AvahiResolution*>(userdata);
        if (event == AVAHI_RESOLVER_FOUND && address)
            self->answer(addressesOf(*address, interface, port), {});
        else
            self->answer({}, {kCFStreamErrorDomainNetServices, kCFNetServicesErrorNotFound});
    }

    AnswerHandler handler_;
    AvahiServiceResolver* resolver_ = nullptr;
};

AvahiClient* AvahiConnection::client(CFStreamError& error) {
    if (client_ && avahi_client_get_state(client_) == AVAHI_CLIENT_FAILURE) {
        avahi_client_free(client_);
        client_ = nullptr;
    }
    if (!client_) {
        int avahiError = 0;
        client_ =
            avahi_client_new(poll_.api(), AvahiClientFlags(0), stateChanged, this, &avahiError);
    }
    if (!client_) error = {kCFStreamErrorDomainNetServices, kCFNetServicesErrorNotFound};
    return client_;
}

// A client that fails has lost the daemon: its resolvers will never answer, so they end now.
void AvahiConnection::stateChanged(AvahiClient*, AvahiClientState state, void* userdata) {
    if (state != AVAHI_CLIENT_FAILURE) return;
    auto* self = static_cast<AvahiConnection*>(userdata);
    const std::set<AvahiResolution*> ending = self->running;
    for (AvahiResolution* resolution : ending)
        if (self->running.contains(resolution)) // an earlier answer may have ended it
            resolution->answer({}, {kCFStreamErrorDomainNetServices, kCFNetServicesErrorUnknown});
}

class AvahiResolver : public Resolver {
  public:
    std::unique_ptr<Resolution> start(const ServiceName& service, AnswerHandler handler,
                                      CFStreamError& error) override {
        AvahiClient* client = connection().client(error);
        if (!client) return nullptr;
        auto resolution = std::make_unique<AvahiResolution>(std::move(handler));
        if (resolution->start(client, service)) return resolution;
        const bool refused = avahi_client_errno(client) == AVAHI_ERR_INVALID_SERVICE_NAME ||
                             avahi_client_errno(client) == AVAHI_ERR_INVALID_SERVICE_TYPE ||
                             avahi_client_errno(client) == AVAHI_ERR_INVALID_DOMAIN_NAME;
        error = {kCFStreamErrorDomainNetServices,
                 refused ? kCFNetServicesErrorBadArgument : kCFNetServicesErrorUnknown};
        return nullptr;
    }
};

} // namespace

Resolver& avahiResolver() {
    static AvahiResolver resolver;
    return resolver;
}

} // namespace cfnet
