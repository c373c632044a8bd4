#include "app/OVPlexorForm.h"

using K = ComponentKind;

#define FIELD(name) COMPONENT(TOVPlexor, name)

namespace {
// In creation order: of two overlapping siblings, the one created later lies on top.
const ComponentDescription<TOVPlexor> Form[] = {
    {FIELD(TabControl1), {K::TabControl, nullptr, -6, 20, 421, 205, "", NotTabStop}},
    {FIELD(grpMInfo), {K::FrameBox, "TabControl1", 16, 14, 389, 75, "Multiplex Information", NoClipChildren | NotTabStop}},
    {FIELD(Label2), {K::Label, "grpMInfo", 12, 20, 79, 13, "Total Services", Bold | AlignRight}},
    {FIELD(Label3), {K::Label, "grpMInfo", 12, 34, 79, 13, "Audio", AlignRight}},
    {FIELD(Label4), {K::Label, "grpMInfo", 12, 48, 79, 13, "Data", AlignRight}},
    {FIELD(lbTotal), {K::Label, "grpMInfo", 98, 20, 15, 13, "0", AlignRight}},
    {FIELD(lbAudio), {K::Label, "grpMInfo", 98, 34, 15, 13, "0", AlignRight}},
    {FIELD(lbData), {K::Label, "grpMInfo", 98, 48, 15, 13, "0", AlignRight}},
    {FIELD(Label8), {K::Label, "grpMInfo", 148, 20, 85, 13, "Multiplex Label", Bold | SizedToText}},
    {FIELD(lbMux), {K::Label, "grpMInfo", 148, 34, 153, 13, "None"}},
    {FIELD(btnRefresh), {K::PushButton, "grpMInfo", 302, 40, 75, 23, "Refresh", Disabled}, &TOVPlexor::btnRefreshClick},
    {FIELD(Panel2), {K::Panel, "TabControl1", 16, 100, 388, 81, "", Black}},
    {FIELD(lbCS), {K::Label, "Panel2", 6, 64, 125, 13, "Current Signal: Not Tuned", LimeText | SizedToText}},
    {FIELD(Shape1), {K::Shape, "Panel2", 6, 62, 376, 1, ""}},
    {FIELD(Graph), {K::Image, "Panel2", 6, 6, 376, 51}},
    {FIELD(sbMain), {K::StatusBar, nullptr, 0, 213, 408, 20, "Ready"}},
    {FIELD(cbMain), {K::CoolBar, nullptr, 0, 0, 408, 28}},
    {FIELD(pnHolder), {K::Panel, "cbMain", 9, 0, 395, 25}},
    {FIELD(tbrMain), {K::ToolBar, "pnHolder", 1, 2, 314, 23}},
    {FIELD(tbConnect), {K::ToolButton, "tbrMain", 0, 0, 23, 22, "Connect", Plain, 0}, &TOVPlexor::tbConnectClick},
    {FIELD(tbDisconnect), {K::ToolButton, "tbrMain", 23, 0, 23, 22, "Disconnect", Disabled, 1}, &TOVPlexor::tbDisconnectClick},
    {FIELD(Label1), {K::Label, "tbrMain", 46, 0, 156, 22, " "}},
    {FIELD(tbTune), {K::ToolButton, "tbrMain", 202, 0, 23, 22, "Tune To (and Get Info on) Frequency", Disabled, 2}, &TOVPlexor::tbTuneClick},
    {FIELD(ToolButton2), {K::ToolButton, "tbrMain", 225, 0, 8, 22, "", Separator}},
    {FIELD(tbExport), {K::ToolButton, "tbrMain", 233, 0, 23, 22, "Export Services (to Orvane)", Disabled, 3}, &TOVPlexor::tbExportClick},
    {FIELD(cboMulti), {K::ComboBox, "pnHolder", 50, 3, 151, 21, "", Disabled}},
};

const char* const Items[] = {"218.640", "220.352", "222.064", "223.936", "225.648", "227.360", "229.072"};
}  // namespace

std::span<const ComponentDescription<TOVPlexor>> OVPlexorForm() { return Form; }

std::span<const char* const> FrequencyItems() { return Items; }
