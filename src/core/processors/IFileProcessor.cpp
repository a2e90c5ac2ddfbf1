#include "processors/IFileProcessor.h"

IFileProcessor::~IFileProcessor() = default;
