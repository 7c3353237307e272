// What Main reaches outside the shell by default: the procedure registry, and the dictionary for
// the shared tables' names and the company tables it keeps open.
#include <cstdio>
#include <vector>

#include "vorel/core/text.h"
#include "vorel/data/dictionary.h"
#include "vorel/data/error.h"
#include "vorel/dictionary/folders.h"
#include "vorel/dictionary/shared_registers.h"
#include "vorel/shell/globals.h"
#include "vorel/shell/main_frame.h"
#include "vorel/ui/message_box.h"

namespace vorel::shell {

namespace {

// The company table and its related tables, open on the frame's thread until this goes.
struct TabelasEmpresa {
    std::vector<data::FileManager*> abertas;
    ~TabelasEmpresa() {
        for (auto* f : abertas) (void)f->close();
    }
};

std::shared_ptr<void> AbreTabelas(ui::ProcContext&) {
    dictionary::AplicaCaminhos(dictionary::CaminhosArquivosComuns(PastaRaiz.Get()));
    auto t = std::make_shared<TabelasEmpresa>();
    for (const data::TableDesc* d : {&dictionary::Empresa(), &dictionary::AltContratuais(), &dictionary::Filiais(),
                                     &dictionary::Contas_Integracao_Contabil()}) {
        data::FileManager& f = data::dictionary::file(*d);
        if (f.open() == data::kNoError) {
            t->abertas.push_back(&f);
        } else {
            const auto& e = data::last_error();
            ui::Message("Erro " + std::to_string(e.code) + " ao abrir " + text::to_utf8(e.file) + ": " +
                            text::to_utf8(e.text),
                        "Vorel", ui::Icon::Hand);
        }
    }
    return t;
}

}  // namespace

ServicosMain ServicosPadrao() {
    ServicosMain s;
    s.procura = [](std::string_view nome) { return ui::ProcedureRegistry::Find(nome); };
    s.abreTabelas = AbreTabelas;
    return s;
}

}  // namespace vorel::shell
