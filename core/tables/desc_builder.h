// Builds a table's static description from its record struct. Each table's .cpp lists
// its fields with QUAY_FIELD (the field's name is the member's own name, the
// offset comes from offsetof, the type, width and places from the member's type) and
// then its keys in order; the result is built once and kept for the life
// of the process.
#pragma once

#include <cstddef>
#include <initializer_list>
#include <string>
#include <vector>

#include "quay/store/table_desc.h"
#include "quay/tables/field_traits.h"

namespace quay::core::detail {

// Key attributes: unique or duplicates, optional, case-insensitive, primary.
enum class KeyFlag : unsigned {
    Dup = 0,
    Unique = 1,
    Optional = 2,
    NoCase = 4,
    Primary = 8,
};

constexpr KeyFlag operator|(KeyFlag a, KeyFlag b) {
    return static_cast<KeyFlag>(static_cast<unsigned>(a) | static_cast<unsigned>(b));
}

constexpr bool hasFlag(KeyFlag set, KeyFlag flag) {
    return (static_cast<unsigned>(set) & static_cast<unsigned>(flag)) != 0;
}

// Turns a key name into the words "Duplicate Key Error" shows when the key has no
// label of its own: "byFirstName" gives "by First Name", "ByCustomerComp" gives
// "by Customer Comp".
std::string labelFromKeyName(const std::string& keyName);

class DescBuilder {
public:
    DescBuilder(std::string name, std::string prefix, std::string fileName, std::size_t recordSize);

    template <class T>
    DescBuilder& field(const char* name, std::size_t offset) {
        static_assert(FieldTraits<T>::kStorage == sizeof(T), "record member does not have the width the store reads");
        m_desc.fields.push_back(
            FieldDesc{name, FieldTraits<T>::kType, offset, FieldTraits<T>::kSize, FieldTraits<T>::kPlaces});
        return *this;
    }

    // Adds the next key, declared in the record as `id` (its position in the key list).
    // Components are field names; a leading '-' marks a descending component. An empty
    // label is made from the key's name. A key listed out of the order of its declaration,
    // or a component that names no field, is recorded in descriptionProblems() (a test
    // walks every table for them) and the key is left out of the reads it would break.
    DescBuilder& key(KeyId id, const char* name, std::initializer_list<const char*> components, KeyFlag flags,
                     const char* label = "");

    TableDesc build() { return std::move(m_desc); }

private:
    void problem(const std::string& what);

    TableDesc m_desc;
};

// What the descriptions built so far in this process got wrong: "Customer: key byZip is
// declared as key 4 but listed as key 3", "Orders: key byDate names no field DATE". Empty
// when every description agrees with its record.
std::vector<std::string> descriptionProblems();

// Copies a description for a second handle on the same file: same fields, keys and
// file name, its own table name and prefix.
TableDesc secondHandleDesc(const TableDesc& first, std::string name, std::string prefix);

}  // namespace quay::core::detail

#define QUAY_FIELD(builder, Record, member) (builder).field<decltype(Record::member)>(#member, offsetof(Record, member))

// Lists the key `Record::keyName` (its KeyId constant) under its own name, so a key listed under
// another name does not compile and one listed out of order is caught by its position.
#define QUAY_KEY(builder, Record, keyName, ...) (builder).key(Record::keyName, #keyName, __VA_ARGS__)
