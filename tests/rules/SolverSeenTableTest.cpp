// The table of positions seen against a plain map: keys that collide in
// the table's slots, the key 0 (the table's mark for a free slot), growth
// past many doublings and a clear must all keep what the map keeps.
#include <gtest/gtest.h>

#include <map>
#include <random>

#include "rules/SolverSeenTable.h"

namespace vexa::solving {
namespace {

TEST(SolverSeenTable, KeepsWhatAMapKeeps)
{
    SeenTable table;
    std::map<std::uint64_t, std::int32_t> map;
    std::mt19937_64 random(7);
    // Keys that differ only above the bits the slots read collide; a few
    // random keys, and 0, join them.
    std::vector<std::uint64_t> keys{0};
    for (std::uint64_t i = 0; i < 3000; ++i) keys.push_back(i << 44);
    for (int i = 0; i < 3000; ++i) keys.push_back(random());
    for (int round = 0; round < 2; ++round) {
        for (std::size_t i = 0; i < keys.size(); ++i) {
            const auto value = static_cast<std::int32_t>(i % 97);
            EXPECT_EQ(table[keys[i]], map[keys[i]]) << "key " << keys[i];
            table[keys[i]] = value;
            map[keys[i]] = value;
        }
        EXPECT_EQ(table.size(), map.size());
        for (const auto& [key, value] : map) {
            const std::int32_t* kept = table.Find(key);
            ASSERT_NE(kept, nullptr) << "key " << key;
            EXPECT_EQ(*kept, value);
        }
        EXPECT_EQ(table.Find(1), nullptr);
        EXPECT_EQ(table.Find(5ull << 40), nullptr);
        table.clear();
        map.clear();
        EXPECT_EQ(table.Find(0), nullptr);
        EXPECT_EQ(table.Find(keys[1]), nullptr);
    }
}

}  // namespace
}  // namespace vexa::solving
