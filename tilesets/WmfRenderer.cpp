#include "tilesets/WmfRenderer.h"

QImage WmfRenderer::render(const QString &, QString *error)
{
    *error = QStringLiteral("metafiles are not supported yet");
    return {};
}
