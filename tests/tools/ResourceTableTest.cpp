// The resource table, and the resources that the build embedded through f2_add_resources.

#include "forms/ResourceTable.h"
#include "ToolsTestResources.h"

#include "rtl/Exception.h"
#include "tools/layoutc/LayoutCompiler.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

class ResourceTableTest : public ::testing::Test {
protected:
    void SetUp() override { ResourceTable::Clear(); }
    void TearDown() override { ResourceTable::Clear(); }
};

const uint8_t kStream[] = {'T', 'P', 'F', '0'};
const uint8_t kOther[] = {1, 2, 3};

std::vector<uint8_t> FileBytes(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<uint8_t> ToVector(std::span<const uint8_t> bytes)
{
    return {bytes.begin(), bytes.end()};
}

} // namespace

TEST_F(ResourceTableTest, LookupIgnoresAsciiCase)
{
    ResourceTable::Register("RCDATA", "TFORM1", kStream, sizeof kStream);
    for (auto [type, name] : {std::pair{"RCDATA", "TFORM1"}, {"rcdata", "TForm1"}, {"RcData", "tform1"}}) {
        const auto found = ResourceTable::Find(type, name);
        ASSERT_TRUE(found.has_value()) << type << " " << name;
        EXPECT_EQ(found->data(), kStream);
        EXPECT_EQ(found->size(), sizeof kStream);
    }
}

TEST_F(ResourceTableTest, MissesCleanly)
{
    ResourceTable::Register("RCDATA", "TFORM1", kStream, sizeof kStream);
    EXPECT_FALSE(ResourceTable::Find("ICON", "TFORM1").has_value());  // same name, other type
    EXPECT_FALSE(ResourceTable::Find("RCDATA", "TFORM2").has_value());
    EXPECT_FALSE(ResourceTable::Find("RCDATA", "TFORM").has_value());  // prefix only
    EXPECT_FALSE(ResourceTable::Find("RCDATA", "").has_value());
    ResourceTable::Clear();
    EXPECT_FALSE(ResourceTable::Find("RCDATA", "TFORM1").has_value());
    EXPECT_TRUE(ResourceTable::List().empty());
}

TEST_F(ResourceTableTest, RegisteringAgainReplacesAndListKeepsOrder)
{
    ResourceTable::Register("RCDATA", "TFORM1", kStream, sizeof kStream);
    ResourceTable::Register("ICON", "MAINICON", kOther, sizeof kOther);
    ResourceTable::Register("rcdata", "tform1", kOther, 2);

    const auto entries = ResourceTable::List();
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].type, "RCDATA");
    EXPECT_EQ(entries[0].name, "TFORM1");
    EXPECT_EQ(entries[0].bytes.data(), kOther);
    EXPECT_EQ(entries[0].bytes.size(), 2u);
    EXPECT_EQ(entries[1].name, "MAINICON");

    // An empty resource is still a resource.
    ResourceTable::Register("RCDATA", "EMPTY", nullptr, 0);
    ASSERT_TRUE(ResourceTable::Find("RCDATA", "EMPTY").has_value());
    EXPECT_TRUE(ResourceTable::Find("RCDATA", "EMPTY")->empty());
}

TEST_F(ResourceTableTest, RefusesIncompleteRegistrations)
{
    EXPECT_THROW(ResourceTable::Register("", "X", kStream, 1), EInvalidOperation);
    EXPECT_THROW(ResourceTable::Register("RCDATA", "", kStream, 1), EInvalidOperation);
    EXPECT_THROW(ResourceTable::Register("RCDATA", "X", nullptr, 4), EInvalidOperation);
    EXPECT_TRUE(ResourceTable::List().empty());
}

TEST_F(ResourceTableTest, BuildEmbedsCompiledLayoutsAndFiles)
{
    RegisterToolsTestResources();
    RegisterToolsTestResources(); // harmless when called twice
    ASSERT_EQ(ResourceTable::List().size(), 2u);

    const std::filesystem::path data = std::filesystem::path(F2_SOURCE_DIR) / "tests/tools/data";
    const auto layout = ResourceTable::Find("RCDATA", "TTestForm");
    ASSERT_TRUE(layout.has_value());
    EXPECT_EQ(ToVector(*layout), layoutc::LayoutCompiler::CompileFile(data / "TestForm.layout").bytes);

    const auto icon = ResourceTable::Find("icon", "mainicon");
    ASSERT_TRUE(icon.has_value());
    EXPECT_EQ(ToVector(*icon), FileBytes(data / "tiny.ico"));
}
