// The generated address records the table benchmarks run on: the same names, towns and values
// for every benchmark program, drawn from a fixed seed so two runs build the same file.
#pragma once

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "platform/xbase/Table.h"

namespace corvane::bench {

inline const char* const LastNames[] = {"Smith",    "Johnson", "Williams",  "Brown",    "Jones",     "Garcia",
                                        "Miller",   "Davis",   "Rodriguez", "Martinez", "Hernandez", "Lopez",
                                        "Gonzalez", "Wilson",  "Anderson",  "Thomas",   "Taylor",    "Moore",
                                        "Jackson",  "Martin",  "Lee",       "Perez",    "Thompson",  "White"};
inline const char* const FirstNames[] = {"James",   "Mary",  "Robert", "Patricia",  "John",    "Jennifer",
                                         "Michael", "Linda", "David",  "Elizabeth", "William", "Barbara",
                                         "Richard", "Susan", "Joseph", "Jessica"};
inline const char* const Cities[] = {"Springfield", "Portland", "Franklin", "Greenville", "Bristol",
                                     "Clinton",     "Fairview", "Salem",    "Madison",    "Georgetown",
                                     "Arlington",   "Ashland",  "Dover",    "Oxford"};
inline const char* const States[] = {"IL", "OR", "TN", "SC", "VA", "MO", "MA", "OH", "WI", "KY", "TX", "NY"};

// One generated record: field names of the address file and their values.
using GeneratedRecord = std::vector<std::pair<const char*, std::string>>;

// Draws the records one after another; record i depends on every record before it, so a file of
// any size starts with the same records as a smaller one.
class AddressGenerator {
  public:
    AddressGenerator() : FRandom(1995) {}

    GeneratedRecord Next()
    {
        const uint32_t i = FIndex++;
        auto pick = [&](const auto& list) { return std::string(list[FRandom() % std::size(list)]); };
        const std::string number = std::to_string(FRandom() % 100000);
        // The braces fix the order the values are drawn in.
        return GeneratedRecord{
            {"LNAME", pick(LastNames) + (i % 7 == 0 ? "-" + pick(LastNames) : "")},
            {"FNAME", pick(FirstNames)},
            {"MIDDLE", std::string(1, static_cast<char>('A' + FRandom() % 26))},
            {"STREET", number + " " + pick(LastNames) + " Street"},
            {"CITY", pick(Cities)},
            {"STATE", pick(States)},
            {"ZIP", std::string(5 - std::min<size_t>(5, number.size()), '0') + number},
            {"COUNTRY", "USA"},
            {"DATE", "2026" + std::to_string(10 + FRandom() % 3) + std::to_string(10 + FRandom() % 18)},
            {"PHONE", "555-" + std::to_string(1000 + FRandom() % 9000)},
            {"EMAIL", pick(FirstNames) + "@example.com"},
            {"CODES", std::string(1, static_cast<char>('A' + FRandom() % 5))},
            {"ISDEL", "F"},
        };
    }

  private:
    std::mt19937 FRandom;
    uint32_t FIndex = 0;
};

// Appends `count` generated address records to an open table.
inline xbase::Status AppendAddresses(xbase::Table& table, uint32_t count)
{
    AddressGenerator generator;
    for (uint32_t i = 0; i < count; ++i) {
        if (auto s = table.AppendBlank(); !s)
            return s;
        for (const auto& [field, value] : generator.Next()) {
            if (auto s = table.PutField(field, value); !s)
                return s;
        }
    }
    return xbase::Status::Success();
}

} // namespace corvane::bench
