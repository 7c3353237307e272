// Upgrade of a table file whose stored structure version is older than its description's.
//
// On open, a file with an older version (or another field layout) is rewritten in the current layout
// inside one transaction: fields are kept by name, new fields start cleared, the keys are rebuilt.
// A table whose change needs more (a renamed field, a new meaning) gives its description an upgrade
// hook, called once per record after that copy: it reads the old columns and fixes the new record;
// it returns 0 to keep the record, any other value to drop it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vorel::data {

class UpgradeContext {
public:
    virtual ~UpgradeContext() = default;
    virtual int old_version() const = 0;
    virtual int new_version() const = 0;
    // The record in the current layout, already holding the same-named old values.
    virtual void* record() = 0;
    virtual bool has_old(std::string_view column) const = 0;
    virtual std::string old_text(std::string_view column) const = 0;  // Windows-1252
    virtual std::int64_t old_int(std::string_view column) const = 0;
};

}  // namespace vorel::data
