// The main window's embedded layout stream, damaged: every failure is an exception with a
// message, never a crash, a read outside the data or a leak (the sanitizer build runs this).

#include "app/Program.h"
#include "app/Unit1.h"
#include "forms/ResourceTable.h"
#include "platform/HeadlessDesktop.h"
#include "rtl/Exception.h"

#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <vector>

namespace {

class MainWindowStream : public ::testing::Test {
protected:
    void SetUp() override
    {
        platform::InstallDesktop(std::make_unique<platform::HeadlessDesktop>());
        RegisterProgramResources();
        const auto stream = ResourceTable::Find("RCDATA", "TFORM1");
        ASSERT_TRUE(stream.has_value());
        original_.assign(stream->begin(), stream->end());
    }
    void TearDown() override
    {
        RegisterProgramResources();   // the intact stream again
        platform::InstallDesktop(nullptr);
    }

    // Builds the window from the given bytes; returns the exception message, or "" when the
    // bytes still described a window.
    std::string Build(const std::vector<uint8_t>& bytes)
    {
        damaged_ = bytes;
        ResourceTable::Register("RCDATA", "TFORM1", damaged_.data(), damaged_.size());
        try {
            std::unique_ptr<TForm1> form(new TForm1(nullptr));
            return "";
        } catch (const Exception& e) {
            return e.Message().empty() ? "(empty message)" : e.Message();
        }
    }

    std::vector<uint8_t> original_;
    std::vector<uint8_t> damaged_;
};

} // namespace

TEST_F(MainWindowStream, TheIntactStreamBuildsTheWindow)
{
    EXPECT_EQ(Build(original_), "");
}

TEST_F(MainWindowStream, EveryCutRaisesAReadError)
{
    // Every offset in the header and the first components, then a stride through the rest
    // (the pictures' bytes make up half of the stream).
    for (size_t cut = 0; cut < original_.size(); cut += (cut < 600 ? 1 : 7)) {
        const std::vector<uint8_t> bytes(original_.begin(), original_.begin() + std::ptrdiff_t(cut));
        const std::string message = Build(bytes);
        EXPECT_FALSE(message.empty()) << "cut at " << cut;
    }
}

TEST_F(MainWindowStream, FlippedBitsNeverCrash)
{
    std::mt19937 random(20261207);
    std::uniform_int_distribution<size_t> offset(0, original_.size() - 1);
    std::uniform_int_distribution<int> bit(0, 7);
    int failures = 0;
    for (int i = 0; i < 400; ++i) {
        std::vector<uint8_t> bytes = original_;
        for (int flips = 0; flips < 3; ++flips)
            bytes[offset(random)] ^= uint8_t(1u << bit(random));
        failures += Build(bytes).empty() ? 0 : 1;
    }
    // Most damage is caught; some lands in picture pixels and still reads.
    EXPECT_GT(failures, 0);
}
