#include "app/SignalCaptions.h"

#include <algorithm>
#include <charconv>

const char* LockStageCaption(std::int32_t stage) noexcept
{
    switch (stage) {
    case 0: return "Current Signal: Tuning (No Signal)";
    case 1: return "Current Signal: Tuning (FIC_PRESENT)";
    case 2: return "Current Signal: Tuning (SW_LOCKED)";
    case 4: return "Current Signal: Tuning (AFC_LOCKED)";
    case 8: return "Current Signal: Tuning (SCT_LOCKED)";
    case 16: return "Current Signal: Tuning (FT_LOCKED)";
    case 32: return "Current Signal: Tuning (AGC_LOCKED)";
    }
    if (stage >= 40 && stage <= 50)
        return "Current Signal: Tuning (Trying)";
    if (stage >= 51 && stage <= 70)
        return "Current Signal: Tuning (Good, one sec...)";
    if (stage >= 71 && stage <= 100)
        return "Current Signal: Tuning (Almost done!)";
    return "Current Signal: Tuning (Wait)";
}

QualityCaptionText QualityCaption(std::int32_t quality) noexcept
{
    static constexpr char prefix[] = "Current Signal: ";
    // The prefix, "-2147483648", "%" and the terminating zero.
    static_assert(sizeof prefix - 1 + 11 + 1 + 1 <= sizeof QualityCaptionText::text);
    QualityCaptionText caption{};
    char* out = std::copy(prefix, prefix + sizeof prefix - 1, caption.text);
    out = std::to_chars(out, caption.text + sizeof caption.text, quality).ptr;
    *out = '%';
    return caption;
}
