#include "engine/bet/parameters.h"

#include "engine/base/conversion.h"

namespace {
int v(const QString& text)
{
    return StrToInt(text);
}
QString t(int value)
{
    return QString::number(value);
}
} // namespace

void normaliseParameters(ParameterFields& f, Modality modality)
{
    switch (modality) {
    case Modality::Lotomania:
        if (v(f.T) <= 50) f.T = "51";
        if (v(f.K) != 50) f.K = "50";
        break;
    case Modality::Lotofacil:
        if (v(f.T) < 16) f.T = "16";
        if (v(f.K) != 15) f.K = "15";
        break;
    case Modality::MegaSena:
    case Modality::DuplaSena:
        if (v(f.T) < 7) f.T = "7";
        if (v(f.K) < 6) f.K = "6";
        if (v(f.K) > 15) f.K = "15";
        break;
    case Modality::Quina:
        if (v(f.T) < 6) f.T = "6";
        if (v(f.K) < 5) f.K = "5";
        if (v(f.K) > 7) f.K = "7";
        break;
    case Modality::Outros:
        break;
    }
    if (v(f.U) < v(f.T)) f.T = f.U;
    if (v(f.T) < 2) f.T = "2";
    if (v(f.T) > 100) f.T = "100";
    if (v(f.K) >= v(f.T)) f.K = t(v(f.T) - 1);
    if (v(f.K) <= 0) f.K = "1";
    if (modality == Modality::Outros) {
        if (v(f.T) < v(f.D)) f.D = f.T;
        if (v(f.D) < v(f.G)) f.G = f.D;
    } else if (v(f.K) < v(f.D)) {
        f.D = f.K;
    }
    if (v(f.D) <= 0) f.D = "1";
    if (v(f.D) < v(f.G)) f.G = f.D;
    if (v(f.G) < 0) f.G = "0";
    if (v(f.D) < v(f.C)) f.C = f.D;
    if (v(f.C) < v(f.G)) f.C = f.G;
    if (v(f.C) - 1 < v(f.F)) f.F = t(v(f.C) - 1);
    if (v(f.F) < 0) f.F = "0";
}

bool enumeratesEveryCombination(const ParameterFields& fields)
{
    return fields.K == fields.D && fields.G == fields.D;
}

void clampSimulatedDrawSize(ParameterFields& f)
{
    if (v(f.D) < v(f.S)) f.S = f.D;
    if (v(f.S) < v(f.F)) f.S = f.F;
}

void applyModalityDefaults(ParameterFields& f, Modality modality)
{
    if (modality == Modality::Outros) return;
    const ModalityDefaults& d = modalityDefaults(modality);
    f.U = t(d.U);
    f.T = t(d.T);
    f.F = "0";
    f.S = t(d.S);
    f.K = t(d.K);
    f.D = t(d.D);
    f.G = t(d.G);
    f.C = t(d.C);
}

void leaveHighestNumber(ParameterFields& f)
{
    // Below 2 no bet of two numbers fits the range and a random ticket could never finish.
    if (v(f.U) < 2) f.U = "2";
    if (v(f.U) > v(f.T)) f.T = f.U;
    if (v(f.U) > 100) f.U = "100";
}

QString typedResultMask(int D)
{
    QString mask;
    for (int i = 0; i < D; ++i) {
        if (i) mask += u' ';
        mask += QStringLiteral("99");
    }
    return mask + QStringLiteral(";1;_");
}
