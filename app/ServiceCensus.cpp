#include "app/ServiceCensus.h"

#include "app/RegistryAccessor.h"
#include "app/ServiceKeys.h"
#include "receiver/AnsiText.h"

#include <string>

namespace {

// The whole label the component allocated: a BSTR may hold NUL characters, which KeyLabel cuts.
std::wstring LabelOf(const ReceiverRef& receiver, LONG handle)
{
    const Bstr label = receiver.GetLabel(handle);
    return label.get() ? std::wstring(label.get(), label.length()) : std::wstring();
}

std::wstring MultiplexLabel(const ReceiverRef& receiver)
{
    return LabelOf(receiver, receiver.GetMultiplex());
}

// Walks from GetFirstService until GetNextService yields 0, classifying every handle, the first
// one before any test. With a registry each service's key is written before the receiver is
// asked for the next one, and closed after.
ServiceCounts WalkServices(const ReceiverRef& receiver, RegistryAccessor* registry)
{
    ServiceCounts counts;
    LONG service = receiver.GetFirstService();
    for (;;) {
        if (receiver.IsAudioKind(receiver.GetServiceKind(service)) != 0)
            ++counts.audio;
        else
            ++counts.data;
        if (registry) {
            const std::wstring multiplexLabel = MultiplexLabel(receiver);
            const std::wstring serviceLabel = LabelOf(receiver, service);
            // A key that cannot be created shows up as the refused write that follows.
            registry->OpenKey(ToAnsi(ServiceKeyPath(multiplexLabel, serviceLabel)));
            registry->WriteString("ServiceHandle", HandleText(service));
        }
        service = receiver.GetNextService();
        if (registry)
            registry->CloseKey();
        if (service == 0)
            return counts;
        if (counts.total() == MaxServices)
            throw ETooManyServices();
    }
}

}  // namespace

ServiceCounts CountServices(const ReceiverRef& receiver)
{
    return WalkServices(receiver, nullptr);
}

ServiceCounts ExportServices(const ReceiverRef& receiver, std::string_view tunedFreqText)
{
    // Lives for this export only; leaving by an error closes any key still open.
    RegistryAccessor registry;
    registry.OpenKey(ToAnsi(MultiplexKeyPath(MultiplexLabel(receiver))));
    registry.WriteString("", std::string(tunedFreqText));
    registry.CloseKey();
    return WalkServices(receiver, &registry);
}
