#pragma once
// Texts of the signal line under the graph. None of them allocates: the poll runs every second.
#include <cstdint>

inline constexpr char NotTunedCaption[] = "Current Signal: Not Tuned";
inline constexpr char TuningStartedCaption[] = "Current Signal: Tuning, please wait...";

// The acquisition stage reported while the receiver is not locked, as a static text.
const char* LockStageCaption(std::int32_t stage) noexcept;

// "Current Signal: " followed by the quality in decimal and "%", e.g. "Current Signal: 87%".
struct QualityCaptionText {
    char text[32];
    const char* c_str() const noexcept { return text; }
};
QualityCaptionText QualityCaption(std::int32_t quality) noexcept;
