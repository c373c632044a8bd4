// The resources linked into the program: icon, tool-bar images, manifest, version information.
#include "resources/ResourceIds.h"

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>
#include <type_traits>
#include <vector>

namespace {

template <typename Handle, auto Free>
struct Releaser {
    void operator()(Handle handle) const { Free(handle); }
};
template <typename Handle, auto Free>
using Owned = std::unique_ptr<std::remove_pointer_t<Handle>, Releaser<Handle, Free>>;

using Bitmap = Owned<HBITMAP, DeleteObject>;
using Icon = Owned<HICON, DestroyIcon>;
using ImageList = Owned<HIMAGELIST, ImageList_Destroy>;
using MemoryDc = Owned<HDC, DeleteDC>;
static_assert(!std::is_copy_constructible_v<Bitmap> && !std::is_copy_assignable_v<Bitmap>);

HINSTANCE Module() { return GetModuleHandleA(nullptr); }

// The colour strip as a DIB section, so its pixels are read back exactly whatever the display depth.
Bitmap LoadToolbarColours()
{
    return Bitmap(static_cast<HBITMAP>(
        LoadImageA(Module(), MAKEINTRESOURCEA(IDB_TOOLBAR), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
}

Bitmap LoadToolbarMask()
{
    return Bitmap(static_cast<HBITMAP>(
        LoadImageA(Module(), MAKEINTRESOURCEA(IDB_TOOLBAR_MASK), IMAGE_BITMAP, 0, 0, LR_MONOCHROME)));
}

BITMAP Describe(HBITMAP bitmap)
{
    BITMAP info{};
    GetObjectA(bitmap, sizeof info, &info);
    return info;
}

// Top-down 32-bpp pixels (0x00RRGGBB) of a bitmap of any depth.
std::vector<std::uint32_t> Pixels(HBITMAP bitmap, int width, int height)
{
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    std::vector<std::uint32_t> pixels(static_cast<size_t>(width) * height);
    MemoryDc dc(CreateCompatibleDC(nullptr));
    EXPECT_EQ(GetDIBits(dc.get(), bitmap, 0, height, pixels.data(), &info, DIB_RGB_COLORS), height);
    for (auto& pixel : pixels) pixel &= 0xFFFFFF;
    return pixels;
}

std::string ResourceText(LPCSTR type, LPCSTR name, WORD language)
{
    HRSRC found = FindResourceExA(Module(), type, name, language);
    if (!found) return {};
    auto data = static_cast<const char*>(LockResource(LoadResource(Module(), found)));
    return std::string(data, SizeofResource(Module(), found));
}

}  // namespace

TEST(MainIcon, LoadsAtSixteenAndThirtyTwoPixels)
{
    for (int size : {16, 32}) {
        SCOPED_TRACE(size);
        Icon icon(static_cast<HICON>(LoadImageA(Module(), IDI_MAINICON, IMAGE_ICON, size, size, 0)));
        ASSERT_TRUE(icon);
        ICONINFO info{};
        ASSERT_TRUE(GetIconInfo(icon.get(), &info));
        Bitmap colour(info.hbmColor), mask(info.hbmMask);
        ASSERT_TRUE(colour);
        EXPECT_EQ(Describe(colour.get()).bmWidth, size);
        EXPECT_EQ(Describe(colour.get()).bmHeight, size);
    }
    EXPECT_TRUE(LoadIconA(Module(), IDI_MAINICON));
}

#pragma pack(push, 2)
struct GroupIconEntry {
    BYTE width, height, colourCount, reserved;
    WORD planes, bitCount;
    DWORD bytes;
    WORD id;
};
#pragma pack(pop)

TEST(MainIcon, HoldsSixteenColoursAtBothSizesAndTwoHundredFiftySixAtThirtyTwo)
{
    std::string group = ResourceText(RT_GROUP_ICON, IDI_MAINICON, MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US));
    ASSERT_GE(group.size(), 6u);
    WORD count = 0;
    memcpy(&count, group.data() + 4, sizeof count);
    ASSERT_EQ(group.size(), 6 + count * sizeof(GroupIconEntry));

    struct Image {
        int size, bitCount;
        bool operator==(const Image&) const = default;
        bool operator<(const Image& other) const
        {
            return size != other.size ? size < other.size : bitCount < other.bitCount;
        }
    };
    std::vector<Image> images;
    for (WORD i = 0; i < count; ++i) {
        GroupIconEntry entry;
        memcpy(&entry, group.data() + 6 + i * sizeof entry, sizeof entry);
        // The image's own header is what Windows draws from; it must agree with the directory.
        std::string image = ResourceText(RT_ICON, MAKEINTRESOURCEA(entry.id), MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US));
        ASSERT_GE(image.size(), sizeof(BITMAPINFOHEADER));
        BITMAPINFOHEADER header;
        memcpy(&header, image.data(), sizeof header);
        EXPECT_EQ(header.biWidth, entry.width);
        EXPECT_EQ(header.biHeight, 2 * entry.height);  // colour bits and AND mask
        EXPECT_EQ(header.biBitCount, entry.bitCount);
        EXPECT_EQ(entry.colourCount, entry.bitCount == 4 ? 16 : 0);
        images.push_back({entry.width, entry.bitCount});
    }
    std::sort(images.begin(), images.end());
    EXPECT_EQ(images, (std::vector<Image>{{16, 4}, {32, 4}, {32, 8}}));
}

TEST(ToolbarImages, AreStripsOfFourSixteenPixelImages)
{
    Bitmap colours = LoadToolbarColours();
    Bitmap mask = LoadToolbarMask();
    ASSERT_TRUE(colours);
    ASSERT_TRUE(mask);
    BITMAP colourInfo = Describe(colours.get()), maskInfo = Describe(mask.get());
    EXPECT_EQ(colourInfo.bmWidth, TOOLBAR_IMAGE_SIZE * TOOLBAR_IMAGE_COUNT);
    EXPECT_EQ(colourInfo.bmHeight, TOOLBAR_IMAGE_SIZE);
    EXPECT_EQ(colourInfo.bmBitsPixel, 24);
    EXPECT_EQ(maskInfo.bmWidth, TOOLBAR_IMAGE_SIZE * TOOLBAR_IMAGE_COUNT);
    EXPECT_EQ(maskInfo.bmHeight, TOOLBAR_IMAGE_SIZE);
    EXPECT_EQ(maskInfo.bmBitsPixel, 1);
}

// Drawing with the mask ANDed in and the image ORed over it, as image lists and tool bars
// may do, leaves the background untouched only where the image is black.
TEST(ToolbarImages, AreBlackWhereTheirMaskIsSet)
{
    constexpr int width = TOOLBAR_IMAGE_SIZE * TOOLBAR_IMAGE_COUNT, size = TOOLBAR_IMAGE_SIZE;
    Bitmap colours = LoadToolbarColours();
    Bitmap mask = LoadToolbarMask();
    ASSERT_TRUE(colours && mask);
    auto pixels = Pixels(colours.get(), width, size);
    auto transparent = Pixels(mask.get(), width, size);
    int transparentCount = 0, notBlack = 0;
    for (size_t i = 0; i < pixels.size(); ++i) {
        if (transparent[i] == 0) continue;
        ++transparentCount;
        notBlack += pixels[i] != 0;
    }
    EXPECT_GT(transparentCount, 0);
    EXPECT_EQ(notBlack, 0);
}

// Each image, drawn from an image list of either colour depth over a background no image uses,
// shows its own colours where the mask is clear and leaves the background where it is set.
TEST(ToolbarImages, ImageListDrawsThemThroughTheirMask)
{
    constexpr int width = TOOLBAR_IMAGE_SIZE * TOOLBAR_IMAGE_COUNT, size = TOOLBAR_IMAGE_SIZE;
    constexpr std::uint32_t background = 0xFF00FF;
    Bitmap colours = LoadToolbarColours();
    Bitmap mask = LoadToolbarMask();
    ASSERT_TRUE(colours && mask);
    auto expectedColours = Pixels(colours.get(), width, size);
    auto transparent = Pixels(mask.get(), width, size);
    ASSERT_EQ(std::count(expectedColours.begin(), expectedColours.end(), background), 0);

    for (UINT depth : {ILC_COLOR24, ILC_COLOR32}) {
        SCOPED_TRACE(depth);
        ImageList list(ImageList_Create(size, size, depth | ILC_MASK, TOOLBAR_IMAGE_COUNT, 0));
        ASSERT_TRUE(list);
        ASSERT_EQ(ImageList_Add(list.get(), colours.get(), mask.get()), 0);
        ASSERT_EQ(ImageList_GetImageCount(list.get()), TOOLBAR_IMAGE_COUNT);

        for (int image = 0; image < TOOLBAR_IMAGE_COUNT; ++image) {
            SCOPED_TRACE(image);
            BITMAPINFO info{};
            info.bmiHeader = {sizeof info.bmiHeader, size, -size, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
            void* bits = nullptr;
            Bitmap canvas(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
            ASSERT_TRUE(canvas);
            auto* canvasPixels = static_cast<std::uint32_t*>(bits);
            std::fill(canvasPixels, canvasPixels + size * size, background);
            MemoryDc dc(CreateCompatibleDC(nullptr));
            HGDIOBJ previous = SelectObject(dc.get(), canvas.get());
            ASSERT_TRUE(ImageList_Draw(list.get(), image, dc.get(), 0, 0, ILD_NORMAL));
            GdiFlush();
            SelectObject(dc.get(), previous);

            int opaque = 0, wrong = 0;
            for (int y = 0; y < size; ++y) {
                for (int x = 0; x < size; ++x) {
                    size_t strip = static_cast<size_t>(y) * width + image * size + x;
                    bool clear = transparent[strip] == 0;
                    opaque += clear;
                    std::uint32_t want = clear ? expectedColours[strip] : background;
                    wrong += (canvasPixels[y * size + x] & 0xFFFFFF) != want;
                }
            }
            EXPECT_EQ(wrong, 0);
            EXPECT_GT(opaque, size * size / 4);  // a drawing, not an empty square
            EXPECT_LT(opaque, size * size);      // with a transparent surround
        }
    }
}

TEST(Manifest, RequestsCommonControlsSixForThisBuildsProcessor)
{
    std::string text = ResourceText(MAKEINTRESOURCEA(24), MAKEINTRESOURCEA(1), MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US));
    ASSERT_FALSE(text.empty());
#ifdef _WIN64
    const std::string architecture = "processorArchitecture=\"amd64\"";
#else
    const std::string architecture = "processorArchitecture=\"X86\"";
#endif
    for (const char* expected : {"name=\"company\"", "version=\"1.0.0.0\"", "type=\"win32\"",
                                 "<description>not necessary</description>",
                                 "name=\"Microsoft.Windows.Common-Controls\"", "version=\"6.0.0.0\"",
                                 "publicKeyToken=\"6595b64144ccf1df\"", "language=\"*\""}) {
        EXPECT_NE(text.find(expected), std::string::npos) << expected;
    }
    size_t first = text.find(architecture);
    ASSERT_NE(first, std::string::npos);
    EXPECT_NE(text.find(architecture, first + 1), std::string::npos) << "the dependency's processor";
    EXPECT_EQ(text.find("<dependency>"), text.rfind("<dependency>")) << "one dependency";
}

// With the manifest in force, the common controls come from the side-by-side store, not system32.
TEST(Manifest, BringsTheSideBySideCommonControls)
{
    ImageList list(ImageList_Create(16, 16, ILC_COLOR24, 1, 0));  // makes sure comctl32 is loaded
    char path[MAX_PATH] = {};
    ASSERT_GT(GetModuleFileNameA(GetModuleHandleA("comctl32.dll"), path, MAX_PATH), 0u);
    std::string lower(path);
    std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return char(tolower(c)); });
    EXPECT_NE(lower.find("winsxs"), std::string::npos) << path;
}

TEST(VersionInfo, NamesTheProgramAndItsVersion)
{
    HRSRC found = FindResourceA(Module(), MAKEINTRESOURCEA(VS_VERSION_INFO), RT_VERSION);
    ASSERT_TRUE(found);
    // VerQueryValue may write into the block, so it works on a copy.
    auto data = static_cast<const char*>(LockResource(LoadResource(Module(), found)));
    std::vector<char> block(data, data + SizeofResource(Module(), found));

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwFileVersionLS, 0u);

    struct { const char* key; const char* value; } cases[] = {
        {"FileDescription", "Orvane Plexor"},
        {"ProductName", "Plexor"},
        {"FileVersion", "1.0.0.0"},
    };
    for (auto [key, value] : cases) {
        char* text = nullptr;
        std::string query = std::string("\\StringFileInfo\\040904E4\\") + key;
        ASSERT_TRUE(VerQueryValueA(block.data(), query.c_str(), reinterpret_cast<void**>(&text), &length)) << key;
        EXPECT_STREQ(text, value) << key;
    }
}
