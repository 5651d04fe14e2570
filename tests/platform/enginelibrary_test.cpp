// SPDX-License-Identifier: MIT
#include "enginelibrary.h"

#include <dlfcn.h>
#include <gtest/gtest.h>

namespace {

const std::filesystem::path kBinDir = ORVEX_TEST_BIN_DIR;

int32_t PartialInitCalls()
{
    void *handle = dlopen((kBinDir / "libOrvexPartialEngine.so").c_str(), RTLD_NOW | RTLD_NOLOAD);
    if (handle == nullptr)
        return -1;
    const auto *calls = static_cast<int32_t *>(dlsym(handle, "PartialEngineInitCalls"));
    const int32_t value = calls != nullptr ? *calls : -1;
    dlclose(handle);
    return value;
}

TEST(EngineLibrary, LoadsNothingUntilTheFirstCall)
{
    orvex::EngineLibrary engine("libOrvexPartialEngine.so", {kBinDir});
    EXPECT_EQ(PartialInitCalls(), -1) << "library opened before any export was called";
    engine.InitRandomArray();
    EXPECT_EQ(PartialInitCalls(), 1);
}

TEST(EngineLibrary, MissingEntryFailsOnlyThatCall)
{
    orvex::EngineLibrary engine("libOrvexPartialEngine.so", {kBinDir});
    uint8_t bytes[4] = {};
    try {
        engine.MultDesktopIntensity(bytes, 4, 128);
        FAIL() << "a missing entry must throw";
    } catch (const orvex::EngineError &error) {
        EXPECT_NE(std::string(error.what()).find("MultDesktopIntensity"), std::string::npos);
    }
    EXPECT_NO_THROW(engine.InitRandomArray());
    EXPECT_THROW(engine.MultDesktopIntensity(bytes, 4, 128), orvex::EngineError) << "failure is not cached away";
}

TEST(EngineLibrary, MissingLibraryThrowsOnEveryCall)
{
    orvex::EngineLibrary engine("libOrvexDoesNotExist.so", {kBinDir});
    EXPECT_THROW(engine.InitRandomArray(), orvex::EngineError);
    EXPECT_THROW(engine.InitRandomArray(), orvex::EngineError);
}

TEST(EngineLibrary, FindsTheRealEngineInTheGivenFolderFirst)
{
    orvex::EngineLibrary engine("libOrvexM6.so", {kBinDir});
    uint8_t bytes[3] = {255, 100, 1};
    engine.MultDesktopIntensity(bytes, 3, 128);
    EXPECT_EQ(bytes[0], 127);
    EXPECT_EQ(bytes[1], 50);
    EXPECT_EQ(bytes[2], 0);
}

} // namespace
