// Table descriptions: resolving key components to fields, the default duplicate-key
// labels, and the copies for second handles on a shared file.
#include "desc_builder.h"

#include <mutex>
#include <string>
#include <cctype>
#include <utility>

namespace quay::core {

namespace {

bool equalNoCase(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::toupper(static_cast<unsigned char>(a[i])) != std::toupper(static_cast<unsigned char>(b[i])))
            return false;
    }
    return true;
}

int indexOfField(const TableDesc& desc, const std::string& name) {
    for (std::size_t i = 0; i < desc.fields.size(); ++i) {
        if (equalNoCase(desc.fields[i].name, name)) return static_cast<int>(i);
    }
    return -1;
}

}  // namespace

namespace detail {

std::string labelFromKeyName(const std::string& keyName) {
    std::string words;
    for (std::size_t i = 0; i < keyName.size(); ++i) {
        const char c = keyName[i];
        const bool upper = std::isupper(static_cast<unsigned char>(c)) != 0;
        if (i > 0 && upper) {
            const char before = keyName[i - 1];
            const bool afterLower = std::islower(static_cast<unsigned char>(before)) != 0 ||
                                    std::isdigit(static_cast<unsigned char>(before)) != 0;
            // An abbreviation in capitals ("VPRId") stays one word until its last capital.
            const bool endsCapitals = std::isupper(static_cast<unsigned char>(before)) != 0 && i + 1 < keyName.size() &&
                                      std::islower(static_cast<unsigned char>(keyName[i + 1])) != 0;
            if (afterLower || endsCapitals) words += ' ';
        }
        words += c;
    }
    // Key names begin with "by" or "By"; the label always reads "by ...".
    if (words.size() >= 2 && (words[0] == 'B' || words[0] == 'b') && words[1] == 'y') words[0] = 'b';
    return words;
}

DescBuilder::DescBuilder(std::string name, std::string prefix, std::string fileName, std::size_t recordSize) {
    m_desc.name = std::move(name);
    m_desc.prefix = std::move(prefix);
    m_desc.fileName = std::move(fileName);
    m_desc.recordSize = recordSize;
}

namespace {
std::mutex& problemsMutex() {
    static std::mutex m;
    return m;
}
std::vector<std::string>& problemList() {
    static std::vector<std::string> list;
    return list;
}
}  // namespace

std::vector<std::string> descriptionProblems() {
    std::lock_guard lock(problemsMutex());
    return problemList();
}

void DescBuilder::problem(const std::string& what) {
    std::lock_guard lock(problemsMutex());
    problemList().push_back(m_desc.name + ": " + what);
}

DescBuilder& DescBuilder::key(KeyId id, const char* name, std::initializer_list<const char*> components, KeyFlag flags,
                              const char* label) {
    const int position = static_cast<int>(m_desc.keys.size());
    if (id.index != position)
        problem("key " + std::string(name) + " is declared as key " + std::to_string(id.index) + " but listed as key " +
                std::to_string(position));
    KeyDesc key;
    key.name = name;
    key.label = (label != nullptr && *label != '\0') ? std::string(label) : labelFromKeyName(key.name);
    for (const char* component : components) {
        std::string fieldName = component;
        KeyPart part{};
        if (!fieldName.empty() && fieldName.front() == '-') {
            part.descending = true;
            fieldName.erase(0, 1);
        }
        part.field = indexOfField(m_desc, fieldName);
        if (part.field < 0) {
            problem("key " + std::string(name) + " names no field " + fieldName);
            continue;
        }
        key.parts.push_back(part);
    }
    key.unique = hasFlag(flags, KeyFlag::Unique);
    key.optional = hasFlag(flags, KeyFlag::Optional);
    key.caseInsensitive = hasFlag(flags, KeyFlag::NoCase);
    key.primary = hasFlag(flags, KeyFlag::Primary);
    m_desc.keys.push_back(std::move(key));
    return *this;
}

TableDesc secondHandleDesc(const TableDesc& first, std::string name, std::string prefix) {
    TableDesc desc = first;
    desc.name = std::move(name);
    desc.prefix = std::move(prefix);
    return desc;
}

}  // namespace detail

}  // namespace quay::core
