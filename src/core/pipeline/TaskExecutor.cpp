#include "pipeline/TaskExecutor.h"

TaskExecutor::~TaskExecutor() = default;
