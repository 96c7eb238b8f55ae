#include "support/program_folder.h"
#include "platform/data/database.h"

namespace qvtest {

TempProgramFolder::TempProgramFolder()
    : m_previous(qv::ProgramFolder::path())
{
    qv::ProgramFolder::setPath(m_dir.path());
}

TempProgramFolder::~TempProgramFolder()
{
    qv::ProgramFolder::setPath(m_previous);
}

} // namespace qvtest
