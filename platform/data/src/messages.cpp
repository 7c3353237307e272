#include "vorel/data/messages.h"

#include <array>
#include <string>
#include <vector>

#include "vorel/core/text.h"

namespace vorel::data {

namespace {

struct Source {
    int id;
    Level level;
    const char* category;
    const char* title;
    const char* text;  // UTF-8 here; Windows-1252 in the table
};

// The standard file, record, transaction and view messages. Ids 15, 17, 18, 19 and 35 are those the
// tables name; their texts stand as the tables define them.
constexpr Source kSource[] = {
    {1, kFatal, "Arquivo", "Erro ao Abrir", "Erro (%ErrorText) ao abrir o arquivo %File."},
    {2, kFatal, "Arquivo", "Erro ao Criar", "Erro (%ErrorText) ao criar o arquivo %File."},
    {3, kNotify, "Arquivo", "Arquivo Bloqueado", "O arquivo %File está bloqueado por outro usuário.|Erro: %ErrorText."},
    {4, kUser, "Arquivo", "Chaves Inválidas", "As chaves do arquivo %File precisam ser reconstruídas. Reconstruir agora?"},
    {5, kFatal, "Arquivo", "Erro ao Reconstruir", "Erro (%ErrorText) ao reconstruir as chaves do arquivo %File."},
    {6, kFatal, "Arquivo", "Arquivo Inválido", "O arquivo %File não é válido.|Erro: %ErrorText."},
    {7, kNotify, "Arquivo", "Erro ao Fechar", "Erro (%ErrorText) ao fechar o arquivo %File."},
    {8, kProgram, "Arquivo", "Arquivo Não Aberto", "O arquivo %File não está aberto."},
    {9, kNotify, "Registro", "Erro ao Ler", "Erro (%ErrorText) ao ler um registro do arquivo %File."},
    {10, kNotify, "Registro", "Registro Não Encontrado", "Registro não encontrado no arquivo %File."},
    {11, kNotify, "Registro", "Erro ao Incluir", "Erro (%ErrorText) ao incluir um registro no arquivo %File."},
    {12, kNotify, "Registro", "Erro ao Alterar", "Erro (%ErrorText) ao alterar um registro do arquivo %File."},
    {13, kNotify, "Registro", "Erro ao Excluir", "Erro (%ErrorText) ao excluir um registro do arquivo %File."},
    {14, kNotify, "Registro", "Registro Alterado", "O registro foi alterado por outro usuário depois de lido.|Arquivo: %File."},
    {15, kNotify, "Registro", "Chave Duplicada", "Chave duplicada: %Message"},
    {16, kNotify, "Registro", "Exclusão Não Permitida",
     "Este registro não pode ser excluído: existem registros relacionados no arquivo %File."},
    {17, kNotify, "Registro", "Erro Valor", "O valor do %Field deve estar na lista: %Message."},
    {18, kNotify, "Registro", "Erro no Filtro", "O valor do %Field deve estar entre %Message."},
    {19, kNotify, "Registro", "Erro no Filtro", "O valor do %Field deve ser menor que %Message."},
    {20, kNotify, "Registro", "Alteração Não Permitida",
     "A chave deste registro não pode ser alterada: existem registros relacionados no arquivo %File."},
    {21, kUser, "Registro", "Confirmar Exclusão", "Confirma a exclusão deste registro?"},
    {22, kUser, "Registro", "Cancelar Alterações", "Cancelar as alterações feitas neste registro?"},
    {23, kUser, "Registro", "Gravar Alterações", "Gravar as alterações feitas neste registro?"},
    {24, kNotify, "Registro", "Campo Obrigatório", "O campo %Field deve ser preenchido."},
    {25, kNotify, "Registro", "Valor Inválido", "O valor informado no campo %Field não é válido."},
    {26, kNotify, "Registro", "Erro no Relacionamento",
     "Erro (%ErrorText) ao atualizar os registros relacionados no arquivo %File."},
    {27, kNotify, "Registro", "Valor Não Cadastrado", "O valor do %Field não foi encontrado no arquivo %File."},
    {28, kNotify, "Registro", "Registro em Uso", "O registro está em uso por outro usuário.|Arquivo: %File."},
    {29, kNotify, "Transação", "Erro na Transação", "Erro (%ErrorText) ao iniciar a transação no arquivo %File."},
    {30, kNotify, "Transação", "Erro ao Confirmar", "Erro (%ErrorText) ao confirmar a transação. Nada foi gravado."},
    {31, kNotify, "Transação", "Transação Desfeita", "A transação foi desfeita.|Erro: %ErrorText."},
    {32, kNotify, "Arquivo", "Acesso Negado", "Acesso negado ao arquivo %File.|Erro: %ErrorText."},
    {33, kNotify, "Registro", "Fim do Arquivo", "Não há mais registros no arquivo %File."},
    {34, kNotify, "Visão", "Erro na Visão", "Erro (%ErrorText) ao abrir a visão do arquivo %File. Filtro e limites ignorados."},
    {35, kUser, "Registro", "Erro de Incremento de automatico",
     "Tentativas para numerar este registro automaticamente falharam.|Arquivo: %File|Chave: %Key|Erro: %ErrorText.|Tente Novamente?"},
    {36, kNotify, "Registro", "Erro de Numeração", "O número %Message não cabe no campo %Field."},
    {37, kFatal, "Arquivo", "Erro de Disco", "Erro do sistema de arquivos (%FileError, código %FileErrorCode) no arquivo %File."},
    {38, kNotify, "Arquivo", "Erro ao Atualizar Estrutura", "Erro (%ErrorText) ao atualizar a estrutura do arquivo %File."},
    {39, kNotify, "Arquivo", "Arquivo Já Aberto", "O arquivo %File já está aberto."},
    {40, kNotify, "Registro", "Registro Incompleto", "Preencha os campos da chave %Key antes de gravar."},
    {41, kNotify, "Arquivo", "Arquivo Não Encontrado", "O arquivo %File não foi encontrado."},
    {42, kNotify, "Arquivo", "Pasta Não Encontrada", "A pasta do arquivo %File não foi encontrada."},
    {43, kNotify, "Registro", "Sem Registro Atual", "Nenhum registro foi lido no arquivo %File."},
    {44, kProgram, "Programa", "Erro de Programa", "Erro de programa em %Procedure: %Message"},
    {45, kNotify, "Registro", "Valor Grande Demais", "O valor %Message é grande demais para o campo %Field."},
    {46, kNotify, "Arquivo", "Arquivos Abertos Demais", "Arquivos abertos demais ao abrir %File."},
    {47, kUser, "Registro", "Incluir Outro", "Registro incluído. Incluir outro?"},
    {48, kNotify, "Registro", "Chave Sem Valores", "A chave %Key não tem valores para a busca."},
    {49, kNotify, "Visão", "Limite Inválido", "Os limites da visão do arquivo %File não são válidos."},
    {50, kNotify, "Registro", "Erro ao Gravar", "Erro (%ErrorText) ao gravar no arquivo %File.|%Previous"},
    {51, kCancel, "Registro", "Operação Cancelada", "A operação foi cancelada."},
    {52, kNotify, "Arquivo", "Erro ao Esvaziar", "Erro (%ErrorText) ao esvaziar o arquivo %File."},
    {53, kNotify, "Arquivo", "Erro ao Compactar", "Erro (%ErrorText) ao compactar o arquivo %File."},
};

struct Table {
    std::vector<std::string> strings;
    std::vector<MessageEntry> entries;
    Table() {
        constexpr std::size_t n = sizeof(kSource) / sizeof(kSource[0]);
        strings.reserve(n * 3);
        entries.reserve(n);
        for (const Source& s : kSource) {
            strings.push_back(text::from_utf8(s.category));
            strings.push_back(text::from_utf8(s.title));
            strings.push_back(text::from_utf8(s.text));
            std::size_t k = strings.size();
            entries.push_back({s.id, s.level, strings[k - 3], strings[k - 2], strings[k - 1]});
        }
    }
};

const Table& table() {
    static const Table t;
    return t;
}

}  // namespace

std::span<const MessageEntry> message_table() { return table().entries; }

const MessageEntry* find_message(int id) {
    const auto& e = table().entries;
    if (id >= 1 && id <= static_cast<int>(e.size()) && e[static_cast<std::size_t>(id - 1)].id == id)
        return &e[static_cast<std::size_t>(id - 1)];
    for (const auto& m : e)
        if (m.id == id) return &m;
    return nullptr;
}

}  // namespace vorel::data
