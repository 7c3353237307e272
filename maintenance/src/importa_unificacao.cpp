// Merging unification files into a company (vorel/maintenance/importa_unificacao.h).
#include "vorel/maintenance/importa_unificacao.h"

#include <unordered_map>

#include "passos_reparo.h"
#include "vorel/core/date.h"
#include "vorel/core/picture.h"
#include "vorel/data/transaction.h"
#include "vorel/dictionary/key_names.h"
#include "vorel/dictionary/own_tables.h"
#include "vorel/dictionary/shared_registers.h"
#include "vorel/dictionary/text_dates.h"
#include "vorel/fiscal/consultas_cadastro.h"
#include "vorel/maintenance/codigo_forcli.h"

namespace vorel::maintenance {

namespace {

namespace keys = dictionary::keys;
using A = ArquivoUnificacao;
using detail::Proximo;
using dictionary::ForCliRec;
using dictionary::QuantidadeVorelRec;
using lote::Checa;
using lote::Falha;
using Tabela = detail::TabelaDoReparo;

std::string DataTexto(date::Day d) { return text::to_utf8(picture::format("@d06b", d)); }

// A document neither blank nor numerically zero.
bool TemDocumento(std::string_view documento) {
    const auto numero = DocumentoLido(documento);
    return numero && *numero != "0";
}

void Lista(ResultadoUnificacao& r, std::string texto) {
    ++r.recusados;
    if (r.listados.size() < kListados) r.listados.push_back(std::move(texto));
}

// ---- parties of the incoming entries and exits ----

struct Parte {
    std::string documento;  // the CNPJ or CPF digits the item carries from now on ("" keeps its own)
    std::uint32_t codigo = 0;
};

// The party of an item: the incoming supplier file's record of its code when that file was read,
// else its own document; the receiving code found by that document. Remembered by code and document.
class Partes {
public:
    Partes(data::FileManager* entrada, data::FileManager& forcli) : entrada_(entrada), forcli_(forcli) {}

    const Parte& De(std::uint32_t codigo, std::string_view proprio) {
        std::string chave = std::to_string(codigo) + "|" + std::string(proprio);
        auto it = cache_.find(chave);
        if (it != cache_.end()) return it->second;
        Parte p;
        std::string documento(proprio);
        if (entrada_) {
            auto& f = entrada_->rec<ForCliRec>();
            entrada_->clear_record();
            f.Codigo = codigo;
            const data::Result r = entrada_->get(keys::FOR0_KEY_CODIGO1);
            if (r.ok()) {
                if (TemDocumento(f.CGC.clipped())) {
                    p.documento = f.CGC.clipped();
                } else if (TemDocumento(f.CPF.clipped())) {
                    p.documento = f.CPF.clipped();
                }
                if (!p.documento.empty()) documento = p.documento;
            } else if (r != data::kRecordNotFound) {
                Falha("Lendo o arquivo de fornecedores");
            }
        }
        if (TemDocumento(documento)) p.codigo = fiscal::CodigoDoDocumento(forcli_, documento);
        return cache_.emplace(std::move(chave), std::move(p)).first->second;
    }

private:
    data::FileManager* entrada_;
    data::FileManager& forcli_;
    std::unordered_map<std::string, Parte> cache_;
};

// What differs between the entries and the exits.
template <class Rec>
struct Lado {
    const data::TableDesc& (*tabela)();
    A itens, quantidades;
    data::KeyName chaveItens;        // the staged items by date
    data::KeyName chaveRelacao;      // the staged items by date, number, series and document
    data::KeyName chaveQuantidades;  // the staged quantity records
    data::KeyName chaveJa;           // the receiving items by date, number, series, CFOP and product
    std::int32_t Rec::*data;
    String<14> Rec::*documento;
    const char* grupo;  // "entradas", "saídas"
};

const Lado<dictionary::EntradaVorelRec> kEntradas{
    &dictionary::EntradaVorel,          A::Entradas,
    A::EntQQel,                         keys::ESPENT_KEY_DATA,
    keys::ESPENT_KEY_RELACIONAMENTO,    keys::QUA0_KEY_SERIENUMERODATA,
    keys::ENT_KEY_DATANUMSERIECFOPROD,  &dictionary::EntradaVorelRec::DataEmissao,
    &dictionary::EntradaVorelRec::Cnpj, "entradas"};
const Lado<dictionary::SaidaVorelRec> kSaidas{
    &dictionary::SaidaVorel,           A::Saidas,
    A::SaiQQel,                        keys::SAI0_KEY_DATA,
    keys::SAI0_KEY_RELACIONAMENTO,     keys::QUA1_KEY_SERIENUMERODATA,
    keys::SAI_KEY_DATANUMSERIECFOPROD, &dictionary::SaidaVorelRec::DataSaida,
    &dictionary::SaidaVorelRec::CNPJ,  "saídas"};

template <class Rec>
std::string NomeDoItem(const Rec& r, std::int32_t Rec::*data) {
    return "Nota " + std::to_string(r.Numero) + " série " + text::to_utf8(std::string(r.Serie.clipped())) + " de " +
           DataTexto(r.*data) + ", produto " + r.CodMercadoria.value().to_fixed(0) + ", CFOP " + std::to_string(r.CFO);
}

template <class Rec>
ItensJaUnificados JaPresentes(PreparoUnificacao& p, const Lado<Rec>& lado, const shell::EmpresaPeriodo& periodo) {
    ItensJaUnificados j;
    try {
        if (!p.aberta(lado.itens)) return j;
        Tabela receptora(lado.tabela(), periodo, "Abrindo os movimentos do ano");
        data::FileManager& entrada = p.tabela(lado.itens);
        auto& in = entrada.rec<Rec>();
        auto& aqui = receptora.fm.rec<Rec>();
        entrada.clear_record();
        Checa(entrada.set(lado.chaveItens), "Lendo o arquivo das " + std::string(lado.grupo));
        while (Proximo(entrada, "Lendo o arquivo")) {
            receptora.fm.clear_record();
            aqui.*lado.data = in.*lado.data;
            aqui.Numero = in.Numero;
            aqui.Serie = in.Serie;
            aqui.CFO = in.CFO;
            aqui.CodMercadoria = in.CodMercadoria;
            const data::Result r = receptora.fm.get(lado.chaveJa);
            if (r == data::kRecordNotFound) continue;
            Checa(r, "Lendo os movimentos do ano");
            ++j.itens;
            if (j.listados.size() < kListados) j.listados.push_back(NomeDoItem(in, lado.data));
        }
    } catch (const lote::Falhou& f) {
        j.erro = f.texto;
    }
    return j;
}

template <class Rec>
void UneItens(PreparoUnificacao& p, const Lado<Rec>& lado, const shell::EmpresaPeriodo& periodo,
              const ProgressoReparo& progresso, ResultadoUnificacao& r) {
    if (!p.aberta(lado.itens)) return;
    Tabela itens(lado.tabela(), periodo, "Abrindo os movimentos do ano");
    Tabela qua(dictionary::QuantidadeVorel(), periodo, "Abrindo as quantidades do ano");
    Tabela forcli(dictionary::ForCli(), periodo, "Abrindo o cadastro de fornecedores e clientes");
    data::FileManager& entrada = p.tabela(lado.itens);
    data::FileManager* entradaQua = p.aberta(lado.quantidades) ? &p.tabela(lado.quantidades) : nullptr;
    data::FileManager* fornecedores = p.ligada(A::ForCli) ? &p.tabela(A::ForCli) : nullptr;
    Partes partes(fornecedores, forcli.fm);
    const long long total = entrada.records() + (entradaQua ? entradaQua->records() : 0);

    data::Transaction t({&itens.fm, &qua.fm});
    Checa(t.status(), "Iniciando a gravação das " + std::string(lado.grupo));
    auto& in = entrada.rec<Rec>();
    auto& out = itens.fm.rec<Rec>();
    entrada.clear_record();
    Checa(entrada.set(lado.chaveItens), "Lendo o arquivo das " + std::string(lado.grupo));
    while (Proximo(entrada, "Lendo o arquivo das movimentos")) {
        const Parte& parte = partes.De(in.CodigoForCli, (in.*lado.documento).clipped());
        itens.fm.clear_record();
        out = in;
        out.CodigoForCli = parte.codigo;
        if (!parte.documento.empty()) out.*lado.documento = parte.documento;
        Checa(itens.fm.add(), "Gravando as " + std::string(lado.grupo));
        lote::Avanca(progresso, ++r.registros, total);
    }
    if (entradaQua) {
        // Each quantity record follows its invoice's item: the document it carries from now on.
        auto& q = entradaQua->rec<QuantidadeVorelRec>();
        auto& qOut = qua.fm.rec<QuantidadeVorelRec>();
        entradaQua->clear_record();
        Checa(entradaQua->set(lado.chaveQuantidades), "Lendo o arquivo das quantidades");
        while (Proximo(*entradaQua, "Lendo o arquivo das quantidades")) {
            qua.fm.clear_record();
            qOut = q;
            entrada.clear_record();
            in.*lado.data = q.DataEmissao;
            in.Numero = q.Numero;
            in.Serie = q.Serie;
            in.*lado.documento = q.Cnpj;
            const data::Result achou = entrada.get(lado.chaveRelacao);
            if (achou.ok()) {
                const Parte& parte = partes.De(in.CodigoForCli, (in.*lado.documento).clipped());
                if (!parte.documento.empty()) qOut.Cnpj = parte.documento;
            } else if (achou != data::kRecordNotFound) {
                Falha("Lendo o arquivo das " + std::string(lado.grupo));
            }
            Checa(qua.fm.add(), "Gravando as quantidades");
            lote::Avanca(progresso, ++r.registros, total);
        }
    }
    Checa(t.commit(), "Confirmando a unificação das " + std::string(lado.grupo));
}

// ---- cash-register records ----

std::string NomeEcf(const char* tabela, std::string_view data, std::uint32_t maquina, std::uint32_t fechamento) {
    return std::string(tabela) + ": máquina " + std::to_string(maquina) + ", data " +
           DataTexto(dictionary::DiaDoTexto(data)) + ", fechamento " + std::to_string(fechamento);
}

// Adds every record of `origem` to `destino`; a refused one (its unique key there) is listed.
template <class Rec>
void UneTabela(data::FileManager& origem, data::KeyName chave, data::FileManager& destino, const char* nome,
               const std::function<std::string(const Rec&)>& descreve, const ProgressoReparo& progresso,
               long long total, ResultadoUnificacao& r) {
    auto& in = origem.rec<Rec>();
    origem.clear_record();
    Checa(origem.set(chave), std::string("Lendo o arquivo ") + nome);
    while (Proximo(origem, "Lendo o arquivo do ECF")) {
        destino.clear_record();
        destino.rec<Rec>() = in;
        const data::Result a = destino.add();
        if (a == data::kDuplicateKey) {
            Lista(r, descreve(in));
        } else {
            Checa(a, std::string("Gravando os lançamentos ") + nome);
        }
        lote::Avanca(progresso, ++r.registros, total);
    }
}

void UneEcf(PreparoUnificacao& p, const shell::EmpresaPeriodo& periodo, const ProgressoReparo& progresso,
            ResultadoUnificacao& r) {
    using namespace dictionary;
    Tabela mestre(LancICMSEletronico(), periodo, "Abrindo os lançamentos mestre");
    Tabela analitico(AnaliticoICMS(), periodo, "Abrindo os lançamentos analíticos");
    Tabela diario(MovMaqRegistradora(), periodo, "Abrindo os lançamentos diários");
    long long total = 0;
    for (A a : {A::Mestre, A::Analitico, A::Diario})
        if (p.aberta(a)) total += p.tabela(a).records();
    data::Transaction t({&mestre.fm, &analitico.fm, &diario.fm});
    Checa(t.status(), "Iniciando a gravação dos lançamentos do ECF");
    if (p.aberta(A::Mestre))
        UneTabela<LancICMSEletronicoRec>(
            p.tabela(A::Mestre), keys::LAN0_KEY_CODIGO, mestre.fm, "mestre",
            [](const LancICMSEletronicoRec& m) { return NomeEcf("Mestre", m.DataEmissao.clipped(), m.Codigo, m.Fechamento); },
            progresso, total, r);
    if (p.aberta(A::Analitico))
        UneTabela<AnaliticoICMSRec>(
            p.tabela(A::Analitico), keys::ANA0_KEY_ALICOTA, analitico.fm, "analítico",
            [](const AnaliticoICMSRec& a) {
                return NomeEcf("Analítico", a.DataEmissao.clipped(), a.Codigo, a.Fechamento) + ", alíquota " +
                       text::to_utf8(std::string(a.Aliquota.clipped()));
            },
            progresso, total, r);
    if (p.aberta(A::Diario))
        UneTabela<MovMaqRegistradoraRec>(
            p.tabela(A::Diario), keys::MOV0_KEY_CODIGO, diario.fm, "diário",
            [](const MovMaqRegistradoraRec& d) {
                return NomeEcf("Diário", d.DataEmissao.clipped(), d.Codigo, d.Fechamento) + ", alíquota " +
                       text::to_utf8(std::string(d.Aliquota.clipped())) + ", produto " +
                       d.CodMercadoria.value().to_fixed(0);
            },
            progresso, total, r);
    Checa(t.commit(), "Confirmando a unificação dos lançamentos do ECF");
}

// ---- suppliers and customers ----

enum class Casamento { Cnpj, Cpf, Nome, Novo };

// The receiving record the incoming one matches, read into `forcli`'s buffer.
Casamento Procura(data::FileManager& forcli, const ForCliRec& in) {
    auto& f = forcli.rec<ForCliRec>();
    auto Pela = [&](data::KeyName chave, auto campo) {
        forcli.clear_record();
        f.*campo = in.*campo;
        f.Inativo = 0;
        const data::Result r = forcli.get(chave);
        if (r != data::kRecordNotFound) Checa(r, "Lendo o cadastro de fornecedores e clientes");
        return r.ok();
    };
    const bool cnpj = TemDocumento(in.CGC.clipped()), cpf = TemDocumento(in.CPF.clipped());
    if (cnpj && Pela(keys::FOR_KEY_CGC, &ForCliRec::CGC)) return Casamento::Cnpj;
    if (cpf && Pela(keys::FOR_KEY_CPF, &ForCliRec::CPF)) return Casamento::Cpf;
    if (cnpj || cpf || in.Nome.empty()) return Casamento::Novo;
    forcli.clear_record();
    f.Nome = in.Nome;
    Checa(forcli.set_within(keys::FOR_KEY_NOME, 1), "Lendo o cadastro de fornecedores e clientes");
    while (Proximo(forcli, "Lendo o cadastro de fornecedores e clientes"))
        if (f.Inativo == 0 && !TemDocumento(f.CGC.clipped()) && !TemDocumento(f.CPF.clipped())) return Casamento::Nome;
    return Casamento::Novo;
}

// The incoming fields a match or a new record takes.
void Copia(ForCliRec& f, const ForCliRec& in) {
    f.TipoProdutos = in.TipoProdutos;
    f.TipoInscricao = in.TipoInscricao;
    f.CGC = in.CGC;
    f.CPF = in.CPF;
    f.InscricaoEstadual = in.InscricaoEstadual;
    f.Nome = in.Nome;
    f.Endereco = in.Endereco;
    f.Numero = in.Numero;
    f.Complemento = in.Complemento;
    f.Bairro = in.Bairro;
    f.Cidade = in.Cidade;
    f.Estado = in.Estado;
    f.DDD = in.DDD;
    f.Telefone = in.Telefone;
    f.Ramal = in.Ramal;
    f.Fax = in.Fax;
    f.Cep = in.Cep;
    f.ContaFornecedor = in.ContaFornecedor;
    f.ContaCliente = in.ContaCliente;
    f.Clientes = in.Clientes;
    f.Fornecedor = in.Fornecedor;
    f.ProdutorRural = in.ProdutorRural;
    f.MesImport = in.MesImport;
    f.InscSUFRAMA = in.InscSUFRAMA;
    f.CCM = in.CCM;
    f.Usuario = in.Usuario;
    f.DataExclusao = in.DataExclusao;
    f.HoraExclusao = in.HoraExclusao;
}

// The highest code up to 99999 in the register; 0 when there is none.
std::uint32_t MaiorCodigo(data::FileManager& forcli) {
    auto& f = forcli.rec<ForCliRec>();
    forcli.clear_record();
    f.Codigo = 99999;
    Checa(forcli.set_at(keys::FOR_KEY_CODIGO1), "Lendo os códigos de fornecedores");
    const data::Result r = forcli.previous();
    if (r == data::kRecordNotAvailable) return 0;
    Checa(r, "Lendo os códigos de fornecedores");
    return f.Codigo;
}

// Walks the incoming register in code order: `passo(in, casamento)` with `forcli` on the match.
template <class Passo>
void PercorreFornecedores(PreparoUnificacao& p, data::FileManager& forcli, Passo passo) {
    data::FileManager& entrada = p.tabela(A::ForCli);
    if (!p.aberta(A::ForCli)) return;
    auto& in = entrada.rec<ForCliRec>();
    entrada.clear_record();
    Checa(entrada.set(keys::FOR0_KEY_CODIGO1), "Lendo o arquivo de fornecedores");
    while (Proximo(entrada, "Lendo o arquivo de fornecedores")) passo(in, Procura(forcli, in));
}

void UneFornecedores(PreparoUnificacao& p, const shell::EmpresaPeriodo& periodo, const ProgressoReparo& progresso,
                     ResultadoUnificacao& r) {
    Tabela forcli(dictionary::ForCli(), periodo, "Abrindo o cadastro de fornecedores e clientes");
    const long long total = p.aberta(A::ForCli) ? p.tabela(A::ForCli).records() : 0;
    data::Transaction t({&forcli.fm});
    Checa(t.status(), "Iniciando a gravação dos fornecedores");
    std::uint32_t ultimo = MaiorCodigo(forcli.fm);
    auto& f = forcli.fm.rec<ForCliRec>();
    PercorreFornecedores(p, forcli.fm, [&](const ForCliRec& in, Casamento c) {
        if (c == Casamento::Novo) {
            forcli.fm.clear_record();
            f.Codigo = ++ultimo;
            Copia(f, in);
            Checa(forcli.fm.add(), "Incluindo o fornecedor " + std::to_string(f.Codigo));
        } else {
            Copia(f, in);
            Checa(forcli.fm.put(), "Gravando o fornecedor " + std::to_string(f.Codigo));
        }
        lote::Avanca(progresso, ++r.registros, total);
    });
    Checa(t.commit(), "Confirmando a unificação dos fornecedores");
}

}  // namespace

ItensJaUnificados ItensJaPresentes(PreparoUnificacao& p, GrupoUnificacao g, const shell::EmpresaPeriodo& periodo) {
    if (g == GrupoUnificacao::Entradas) return JaPresentes(p, kEntradas, periodo);
    if (g == GrupoUnificacao::Saidas) return JaPresentes(p, kSaidas, periodo);
    return {};
}

ResumoFornecedores ExaminaFornecedores(PreparoUnificacao& p, const shell::EmpresaPeriodo& periodo) {
    ResumoFornecedores s;
    try {
        Tabela forcli(dictionary::ForCli(), periodo, "Abrindo o cadastro de fornecedores e clientes");
        PercorreFornecedores(p, forcli.fm, [&](const ForCliRec&, Casamento c) {
            switch (c) {
                case Casamento::Cnpj: ++s.porCnpj; break;
                case Casamento::Cpf: ++s.porCpf; break;
                case Casamento::Nome: ++s.porNome; break;
                case Casamento::Novo: ++s.novos; break;
            }
        });
    } catch (const lote::Falhou& f) {
        s.erro = f.texto;
    }
    return s;
}

ResultadoUnificacao UnificaGrupo(PreparoUnificacao& p, GrupoUnificacao g, const shell::EmpresaPeriodo& periodo,
                                 const ProgressoReparo& progresso) {
    ResultadoUnificacao r;
    try {
        switch (g) {
            case GrupoUnificacao::Entradas: UneItens(p, kEntradas, periodo, progresso, r); break;
            case GrupoUnificacao::Saidas: UneItens(p, kSaidas, periodo, progresso, r); break;
            case GrupoUnificacao::ECF: UneEcf(p, periodo, progresso, r); break;
            case GrupoUnificacao::Fornecedores: UneFornecedores(p, periodo, progresso, r); break;
        }
    } catch (const lote::Falhou& f) {
        r.erro = f.texto;
    } catch (const lote::Cancelou&) {
        r.cancelado = true;
    }
    if (!r.ok()) {
        r.registros = r.recusados = 0;
        r.listados.clear();
    }
    return r;
}

}  // namespace vorel::maintenance
