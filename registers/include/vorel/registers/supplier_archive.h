// The archive of deleted suppliers and customers (`ForCliMorto`), and the supplier form's table
// access whose delete writes the archive copy.
//
// `ArquivaFornecedor(forcli, morto)` copies the `ForCli` buffer into the archive through the
// `ForCliMorto` object `morto`, which must be open on the archive file (`open_path` with
// `ArquivoForCliMorto`: the shared name variable of `ForCli` is never repointed). When the archive
// already holds that code and inactive mark, the copy takes the archive's highest code plus 1. The
// copy records who deleted it (`GLO:LOGIN`, its first 12 characters) and when. Returns the engine's
// result.
//
// `ArquivaEExclui` is the delete of the form's access: the archive copy and the delete are one
// transaction over both files, so a delete that fails or is refused leaves no copy behind and a copy
// that fails deletes nothing.
#pragma once

#include <string>

#include "vorel/core/date.h"
#include "vorel/data/file_manager.h"
#include "vorel/ui/record_access.h"

namespace vorel::registers {

struct Exclusao {
    std::string usuario;  // Windows-1252
    date::Day data = 0;
    date::Time hora = 0;
};

data::Result ArquivaFornecedor(data::FileManager& forcli, data::FileManager& morto, const Exclusao& quem);

class SupplierAccess : public ui::TableAccess {
public:
    explicit SupplierAccess(data::FileManager& forcli) : ui::TableAccess(forcli) {}
    bool Delete() override;
};

}  // namespace vorel::registers
