#include "scene/GLFunctions.h"

#include <QOpenGLContext>

namespace nivora {

std::unique_ptr<GLFunctions> GLFunctions::resolve(const std::function<QFunctionPointer(const char*)>& lookUp)
{
    auto f = std::make_unique<GLFunctions>();
#define NIVORA_GL_RESOLVE(ret, name, params)                                                                 \
    f->name = reinterpret_cast<ret(*) params>(lookUp(#name));                                                \
    if (!f->name)                                                                                            \
        return nullptr;
    NIVORA_GL_FUNCTIONS(NIVORA_GL_RESOLVE)
#undef NIVORA_GL_RESOLVE
    return f;
}

std::unique_ptr<GLFunctions> GLFunctions::of(QOpenGLContext* context)
{
    return resolve([context](const char* name) { return context->getProcAddress(name); });
}

} // namespace nivora
