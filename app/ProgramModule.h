#pragma once

#include <QString>

// A module of this program (a shared library beside it, loaded at run time),
// found from the executable's own place, installed or in the build tree.
// It stays loaded for the rest of the run.
class ProgramModule
{
public:
    explicit ProgramModule(const char *name);

    // The module's function of that name, or null with error() telling why.
    template<typename Function>
    Function entry(const char *function) const
    {
        return reinterpret_cast<Function>(address(function));
    }
    const QString &error() const { return m_error; }

private:
    void *address(const char *function) const;

    void *m_handle = nullptr;
    mutable QString m_error;
};
