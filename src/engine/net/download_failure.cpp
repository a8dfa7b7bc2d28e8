#include "engine/net/download_failure.h"

DownloadFailure::Kind DownloadFailure::kindOf(const HttpClient::Result& failed)
{
    using Failure = HttpClient::Failure;
    switch (failed.failure) {
    case Failure::InvalidAddress:
        return Kind::InvalidAddress;
    case Failure::Connection:
        return Kind::Connection;
    case Failure::ProxyRefused:
        return Kind::ProxyRefused;
    case Failure::TimedOut:
        return Kind::TimedOut;
    case Failure::Status:
        return failed.status == 403 ? Kind::Refused
            : failed.status == 404  ? Kind::NotFound
                                    : Kind::ServerError;
    case Failure::None:
    case Failure::TooLarge:
    case Failure::Stopped:
        break;
    }
    return Kind::BadAnswer;
}

QString DownloadFailure::statusLine() const
{
    if (latestLookUp) return QStringLiteral("Último concurso: ") + reason + u'.';
    if (!official)
        return QStringLiteral("Resultado %1 não existe ou erro de conexão.").arg(contest);
    return QStringLiteral("Resultado %1: %2.").arg(contest).arg(reason);
}

QString DownloadFailure::plainReason() const
{
    const QString source
        = official ? QStringLiteral("serviço oficial") : QStringLiteral("site próprio");
    switch (kind) {
    case Kind::Refused:
        return official ? QStringLiteral("O serviço oficial recusou o pedido. Ele costuma recusar "
                                         "acessos de fora do Brasil.")
                        : QStringLiteral("O site próprio recusou o pedido.");
    case Kind::NotFound:
        if (latestLookUp)
            return QStringLiteral("O serviço oficial não informou o último concurso.");
        return official ? QStringLiteral("O serviço oficial não tem o resultado desse concurso; "
                                         "talvez ele ainda não tenha sido sorteado.")
                        : QStringLiteral("O site próprio não tem o resultado desse concurso.");
    case Kind::ServerError:
        return QStringLiteral("O %1 está com problemas: respondeu com erro.").arg(source);
    case Kind::TimedOut:
        return QStringLiteral("O %1 não respondeu a tempo.").arg(source);
    case Kind::Connection:
        return QStringLiteral("Não foi possível conectar ao %1.").arg(source);
    case Kind::ProxyRefused:
        return QStringLiteral("O proxy recusou o acesso.");
    case Kind::InvalidAddress:
        return QStringLiteral("O endereço do %1 é inválido.").arg(source);
    case Kind::BadAnswer:
        break;
    }
    if (latestLookUp)
        return QStringLiteral("O serviço oficial respondeu com algo que não é o último concurso.");
    return official
        ? QStringLiteral("O serviço oficial respondeu com algo que não é o resultado desse "
                         "concurso.")
        : QStringLiteral("O site próprio respondeu com algo que não é um resultado dessa "
                         "modalidade.");
}
