// The archive copy of a deleted supplier or customer, written in the delete's transaction.
#include "vorel/registers/supplier_archive.h"

#include <string_view>

#include "vorel/data/dictionary.h"
#include "vorel/data/error_manager.h"
#include "vorel/data/transaction.h"
#include "vorel/dictionary/key_names.h"
#include "vorel/dictionary/name_variables.h"
#include "vorel/dictionary/shared_registers.h"
#include "vorel/shell/globals.h"
#include "vorel/ui/message_box.h"

namespace vorel::registers {

using dictionary::ForCliRec;

data::Result ArquivaFornecedor(data::FileManager& forcli, data::FileManager& morto, const Exclusao& quem) {
    const ForCliRec& origem = forcli.rec<ForCliRec>();
    ForCliRec& copia = morto.rec<ForCliRec>();
    const int byCode = morto.desc().key_index(dictionary::keys::ForCliMorto_KEY_CODIGO);
    copia = origem;
    if (morto.get(byCode) == data::kNoError) {
        // That code and mark already stand in the archive: the copy takes the highest code plus 1.
        morto.clear_record();
        copia.Codigo = 0xFFFFFFFFu;
        copia.Inativo = 0xFF;
        std::uint32_t highest = 0;
        if (morto.set_at(byCode) == data::kNoError && morto.previous() == data::kNoError) highest = copia.Codigo;
        copia = origem;
        copia.Codigo = highest + 1;
    }
    copia.Usuario = std::string_view(quem.usuario).substr(0, 12);
    copia.DataExclusao = quem.data;
    copia.HoraExclusao = quem.hora;
    return morto.add();
}

bool SupplierAccess::Delete() {
    data::FileManager& forcli = file();
    data::FileManager& morto = data::dictionary::file(dictionary::ForCliMorto());
    const std::string arquivo = dictionary::ArquivoForCliMorto.get();
    if (morto.open_path(arquivo) != data::kNoError) {
        data::ErrorManager::current().set_file(arquivo);
        data::ErrorManager::current().raise(2);
        return false;
    }
    bool deleted = false;
    {
        data::Transaction tx({&forcli, &morto});
        if (tx.status().ok()) {
            Exclusao quem{shell::GLO_LOGIN.Get(), date::today(), date::now()};
            if (data::Result rc = ArquivaFornecedor(forcli, morto, quem); !rc.ok()) {
                ui::Message("O fornecedor/cliente não pôde ser gravado no arquivo de excluídos (" +
                                text::to_utf8(arquivo) + "): erro " + std::to_string(rc.code()) + ". Nada foi excluído.",
                            "Atenção!!!", ui::Icon::Exclamation);
            } else if (ui::TableAccess::Delete()) {
                deleted = tx.commit() == data::kNoError;
            }
        } else {
            ui::Message("Não foi possível reservar os arquivos de fornecedores para a exclusão: erro " +
                            std::to_string(tx.status().code()) + ".",
                        "Atenção!!!", ui::Icon::Exclamation);
        }
    }
    (void)morto.close();
    return deleted;
}

}  // namespace vorel::registers
