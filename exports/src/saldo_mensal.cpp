// ExportaSaldoMensal: the month's balance rows as a `;` file (saldo_mensal.h).
#include "vorel/exports/saldo_mensal.h"

#include <array>

#include "vorel/fiscal/colunas_csv.h"
#include "tabelas.h"
#include "vorel/core/date.h"
#include "vorel/core/paths.h"
#include "vorel/core/picture.h"
#include "vorel/core/text.h"
#include "vorel/dictionary/key_names.h"
#include "vorel/dictionary/own_tables.h"
#include "vorel/fiscal/consultas_cadastro.h"
#include "vorel/fiscal/estilo_relatorio.h"
#include "vorel/shell/exportacao_inteira.h"
#include "vorel/shell/other_year.h"

namespace vorel::exports {

namespace {

namespace keys = dictionary::keys;
using fiscal::colunas_csv::Numero;
using dictionary::SaldosVorelRec;

std::string W(std::string_view utf8) { return text::from_utf8(utf8); }

// The seven results of a balance row, columns 5 to 11 of the file.
std::array<Decimal, 7> Resultados(const SaldosVorelRec& s) {
    return {s.CalcUsuFinal.value(), s.CalcFGNRealisado.value(), s.CalcIsenta.value(), s.CalcOutUF.value(),
            s.CalcSubsequente.value(), s.ConfUsuFinal.value(), s.ConfDemHip.value()};
}

constexpr std::array<const char*, 7> kTitulosResultados = {
    " Ret. Usuario Final", "Ret. F.G.N. Realizado", "Ret. Isentas", " Ret. Outro UF", "Ret. Subsequente",
    "Conf. Usuario Final", "Conf. Dem. Hipoteses"};

bool Escreve(const SaldosVorelRec& s, TipoSaldoMensal tipo) {
    switch (tipo) {
    case TipoSaldoMensal::Todos: return true;
    case TipoSaldoMensal::ComMovimento: {
        // The final-consumer confrontation does not count.
        const Decimal soma = s.CalcUsuFinal.value() + s.CalcFGNRealisado.value() + s.CalcIsenta.value() +
                             s.CalcOutUF.value() + s.CalcSubsequente.value() + s.ConfDemHip.value();
        return soma.sign() > 0;
    }
    case TipoSaldoMensal::QtdeNegativa: return s.QuantProdutos.value().sign() < 0;
    }
    return false;
}

std::string Linha(const SaldosVorelRec& s, std::string_view descricao) {
    std::string l = fiscal::colunas_csv::Texto(s.Produto.value(), 14) + ";" + std::string(text::clip(descricao)) + ";" +
                    picture::format("@d014", s.Competencia) + ";" + Numero("@n-8`4", s.Aliquota.value(), "Aliquota");
    const std::array<Decimal, 7> r = Resultados(s);
    for (std::size_t i = 0; i < r.size(); ++i) l += ";" + Numero("@n-15`2", r[i], kTitulosResultados[i]);
    l += ";" + Numero("@n-15`3", s.QuantProdutos.value(), "Estoque");
    l += ";" + Numero("@n-15`3", s.ValorUnit.value(), "Valor Unitario");
    l += ";" + Numero("@n-15`2", s.BaseAcunulada.value(), "Base Acumulada");
    return l;
}

report::Outcome Grava(shell::ExportacaoInteira& arquivo, const shell::EmpresaPeriodo& periodo, TipoSaldoMensal tipo,
                      const ProgressoSaldo& progresso) {
    if (report::Outcome o = arquivo.Abre(); !o.ok()) return o;
    const fiscal::estilo::Empresa empresa = fiscal::estilo::LeEmpresa(periodo.empresa);
    const std::string cabecalho[] = {
        "Calculo Saldo Mensal",
        "",
        "Contribuinte :  " + text::left(empresa.razao, 40) + W("Inscrição Estadual :  ") +
            empresa.inscricao,
        W("Referência   :  ") + std::to_string(periodo.mes) + "/" + std::to_string(periodo.ano),
        "",
        W("Código;Descrição Produto;Mes/Ano;Aliquota; Ret. Usuario Final;Ret. F.G.N. Realizado;Ret. Isentas; Ret. "
          "Outro UF;Ret. Subsequente;Conf. Usuario Final;Conf. Dem. Hipoteses;Estoque;Valor Unitario;Base Acumulada"),
        "",
    };
    for (const std::string& l : cabecalho)
        if (report::Outcome o = arquivo.Linha(l); !o.ok()) return o;

    data::FileManager saldos(dictionary::SaldosVorel());
    if (data::Result r = shell::AbreNoAno(saldos, periodo); !r.ok())
        return report::Outcome::failure("Não foi possível abrir os saldos do mês (SaldosVorel).");
    struct Fecha {
        data::FileManager& f;
        ~Fecha() { (void)f.close(); }
    } fecha{saldos};
    Aberta produtos(dictionary::Produtos());
    const long long total = saldos.records();
    auto& s = saldos.rec<SaldosVorelRec>();
    saldos.clear_record();
    s.Competencia = periodo.Inicio();
    if (!saldos.set_within(keys::SQEL_KEY_DATA, 1).ok())
        return report::Outcome::failure("Não foi possível ler os saldos do mês (SaldosVorel).");
    std::array<Decimal, 7> totais{};
    long long lidos = 0;
    try {
        while (saldos.next().ok()) {
            if (progresso && !progresso(++lidos, total)) return report::Outcome::failure("Exportação interrompida.");
            if (!Escreve(s, tipo)) continue;
            std::string descricao;
            if (produtos.aberta.ok() && fiscal::LeProdutoPorCodigo(produtos.f, fiscal::colunas_csv::CodigoDoTexto(s.Produto.value())))
                descricao = produtos.f.rec<dictionary::ProdutosRec>().Produtos.value();
            if (report::Outcome o = arquivo.Linha(Linha(s, descricao)); !o.ok()) return o;
            const std::array<Decimal, 7> r = Resultados(s);
            for (std::size_t i = 0; i < r.size(); ++i) totais[i] = totais[i] + r[i];
        }
        std::string linha = "TOTAIS;;;";
        for (std::size_t i = 0; i < totais.size(); ++i) linha += ";" + Numero("@n-15`2", totais[i], kTitulosResultados[i]);
        if (report::Outcome o = arquivo.Linha(""); !o.ok()) return o;
        if (report::Outcome o = arquivo.Linha(linha); !o.ok()) return o;
    } catch (const fiscal::colunas_csv::NaoCabe& e) {
        return report::Outcome::failure(e.what());
    }
    return arquivo.Conclui();
}

}  // namespace

std::string NomeSaldoMensal(int mes, int ano) {
    return "Calculo_Mensal_" + text::zero_fill(mes, 2) + "_" + text::zero_fill(ano, 4) + ".csv";
}

std::string CaminhoSaldoMensal(std::string_view pasta, std::string_view arquivo) {
    return files::join(text::clip(pasta), text::clip(arquivo));
}

report::Outcome ExportaSaldoMensal(const shell::EmpresaPeriodo& periodo, TipoSaldoMensal tipo, std::string_view caminho,
                                   const ProgressoSaldo& progresso) {
    shell::ExportacaoInteira arquivo(caminho);
    return Grava(arquivo, periodo, tipo, progresso);  // a failure leaves the old file, and no other
}

}  // namespace vorel::exports
