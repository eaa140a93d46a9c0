#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "edid/EdidFields.h"
#include "edid/EdidReader.h"

using namespace brillex;

namespace {

const std::string kData = BRILLEX_EDID_DATA;

std::vector<std::uint8_t> readFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// The answer line without the two fields the reference lines do not carry.
std::string referenceLine(const EdidReading& reading) {
    std::string line = "= edid";
    for (const auto& [key, value] : edidFields(reading)) {
        if (key != "valid" && key != "headroom") line += " " + key + "=" + value;
    }
    return line;
}

struct Reference {
    std::string file;
    std::string line;
};

std::vector<Reference> references() {
    std::ifstream table(kData + "/reference.txt");
    std::vector<Reference> rows;
    std::string row;
    while (std::getline(table, row)) {
        const auto firstTab = row.find('\t');
        const auto secondTab = row.find('\t', firstTab + 1);
        rows.push_back({row.substr(0, firstTab), row.substr(secondTab + 1)});
    }
    return rows;
}

} // namespace

TEST(EdidReferenceTest, EveryRealEdidReadsAsEdidDecodeReadsIt) {
    const auto rows = references();
    ASSERT_EQ(rows.size(), 60u);
    for (const auto& [file, expected] : rows) {
        const auto bytes = readFile(kData + "/" + file);
        ASSERT_FALSE(bytes.empty()) << file;
        const auto reading = readEdid(bytes);
        ASSERT_TRUE(reading.info) << file << ": " << reading.error;
        EXPECT_EQ(referenceLine(reading), expected) << file;
    }
}
