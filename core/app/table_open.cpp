// The open routine. A rebuild of the keys is offered once per open: if the table
// still reports invalid keys after a successful rebuild, something else is wrong
// with it and it is reported as a disk error rather than asked about again.
#include "quay/app/table_open.h"

#include "quay/app/last_error.h"
#include "quay/app/standard_messages.h"

namespace quay::core {
namespace {

bool isOpened(ErrorCode e) { return e == ErrorCode::None || e == ErrorCode::AlreadyOpen; }

class TableFile final : public OpenableFile {
public:
    explicit TableFile(Table& t) : m_table(t) {}
    ErrorCode open(OpenMode mode) override { return m_table.open(mode); }
    ErrorCode create() override { return m_table.create(); }
    ErrorCode buildKeys() override { return m_table.buildKeys(); }
    ErrorCode send(std::string_view command) override { return m_table.send(command); }
    std::string name() const override { return m_table.desc().name; }
    void saveLastError() const override { saveError(m_table); }

private:
    Table& m_table;
};

OpenOutcome fail(UiPort& ui, OpenableFile& file, StandardMessage m) {
    file.saveLastError();
    const std::string name = file.name();
    showStandardMessage(ui, m, {name});
    return OpenOutcome::ProgramEnded;
}

}  // namespace

OpenableFile::~OpenableFile() = default;

OpenOutcome openTable(UiPort& ui, OpenableFile& file, bool createAllowed, OpenMode mode) {
    ErrorCode e = file.open(mode);
    if (e == ErrorCode::FileLocked) {
        file.send("Recover=10");
        e = file.open(mode);
    }

    bool rebuildOffered = false;
    for (;;) {
        if (isOpened(e)) return OpenOutcome::Opened;
        switch (e) {
        case ErrorCode::FileNotFound:
            if (!createAllowed) return fail(ui, file, StandardMessage::NoCreate);
            if (file.create() != ErrorCode::None) return fail(ui, file, StandardMessage::CreateError);
            if (!isOpened(file.open(mode))) return fail(ui, file, StandardMessage::CreateOpenError);
            return OpenOutcome::Opened;
        case ErrorCode::InvalidKeyFile:
            if (rebuildOffered) return fail(ui, file, StandardMessage::DiskError);
            rebuildOffered = true;
            {
                const std::string name = file.name();
                if (showStandardMessage(ui, StandardMessage::InvalidKey, {name}) != Button::Yes)
                    return OpenOutcome::ProgramEnded;
            }
            if (file.buildKeys() != ErrorCode::None) return fail(ui, file, StandardMessage::RebuildError);
            e = file.open(mode);
            continue;
        case ErrorCode::LayoutMismatch: return fail(ui, file, StandardMessage::InvalidFile);
        default: return fail(ui, file, StandardMessage::DiskError);
        }
    }
}

OpenOutcome openTable(UiPort& ui, Table& table, bool createAllowed, OpenMode mode) {
    TableFile file(table);
    return openTable(ui, file, createAllowed, mode);
}

}  // namespace quay::core
