// What the management sheets found missing during a run (internal): unregistered CFOs, supplier
// CNPJs and batches, each named once in one "Alerta!" box at the end instead of a box per row.
#pragma once

#include <cstdint>
#include <set>
#include <string>
#include <utility>

#include "vorel/core/picture.h"
#include "vorel/core/text.h"
#include "vorel/ui/message_box.h"

namespace vorel::sheets {

struct AvisosGestao {
    std::set<std::pair<std::uint16_t, std::uint8_t>> cfos;
    std::set<std::string> fornecedores;  // CNPJs (Windows-1252)
    std::set<std::string> lotes;
    bool leitura = false;  // a read of the work table failed before its end

    void Mostra() const {
        std::string texto;
        if (leitura) texto += "Erro lendo a tabela EntradaSaidaVorel; a planilha está incompleta.\n";
        if (!cfos.empty()) {
            texto += "Atenção! Identificamos inconsistências nos CFO abaixo ou eles não existem. Favor verifica a "
                     "tabela de CFO.";
            for (const auto& [codigo, complemento] : cfos)
                texto += "\n" + std::to_string(codigo) + " - " + std::to_string(complemento);
            texto += "\n";
        }
        for (const std::string& c : fornecedores)
            texto += "Não foi encontrado o Fornecedor " +
                     picture::format("@p##.###.###/####-##p", Decimal::parse(c).value_or(Decimal())) + "\n";
        for (const std::string& l : lotes) texto += "Não foi encontrado o Lote " + text::to_utf8(l) + "\n";
        if (!texto.empty()) (void)ui::Message(texto, "Alerta!", ui::Icon::Exclamation);
    }
};

}  // namespace vorel::sheets
