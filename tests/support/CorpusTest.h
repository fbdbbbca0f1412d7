#pragma once
// The real-world corpus of GPX logs and camera JPEGs lives outside the repository; the
// variable TRACKALBUM_CORPUS names its folder. Without it, every corpus test skips with the
// same message, so a clone of the repository passes on its own.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace trackalbum::test {

using Json = nlohmann::json;

// The facts write null where a file has no such value and leave out what was not looked at;
// both read as absent here.
inline bool Given(const Json& fact, const std::string& key) {
    const auto it = fact.find(key);
    return it != fact.end() && !it->is_null();
}
inline double Number(const Json& fact, const std::string& key) { return Given(fact, key) ? fact[key].get<double>() : 0.0; }
inline std::string Text(const Json& fact, const std::string& key) {
    return Given(fact, key) ? fact[key].get<std::string>() : std::string();
}

class CorpusTest : public ::testing::Test {
public:
    static constexpr const char* Variable = "TRACKALBUM_CORPUS";

    // The corpus folder, or empty when the variable is unset or empty.
    static std::filesystem::path Folder() {
        const char* value = std::getenv(Variable);
        return value != nullptr ? std::filesystem::path(value) : std::filesystem::path();
    }

protected:
    void SetUp() override {
        corpus_ = Folder();
        if (corpus_.empty()) GTEST_SKIP() << "real-world corpus not available: set " << Variable << " to its folder";
        // A variable that names the wrong folder is a broken set-up, not an absent corpus.
        ASSERT_TRUE(std::filesystem::is_regular_file(corpus_ / "expected.json"))
            << Variable << "=" << corpus_.string() << " holds no expected.json";
    }

    const std::filesystem::path& Corpus() const { return corpus_; }
    Json Facts(const std::string& kind) const {
        std::ifstream in(corpus_ / "expected.json", std::ios::binary);
        return Json::parse(in).at(kind);
    }

private:
    std::filesystem::path corpus_;
};

}  // namespace trackalbum::test
