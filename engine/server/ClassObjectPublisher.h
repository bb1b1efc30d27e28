// Publishes the engine's class object, marshalled, in a named mapping
// (kEngineClassObjectMappingName). A client normally reaches the engine
// through COM's class table; when an earlier engine was killed, that table
// can keep the dead engine's entry, and the client then unmarshals the
// class object from this mapping instead (see CreateCameraEngine).
#pragma once

#include <windows.h>

#include <unknwn.h>

#include "common/ComPtr.h"
#include "common/UniqueHandle.h"

namespace engine {

class ClassObjectPublisher {
 public:
  ClassObjectPublisher() = default;
  ClassObjectPublisher(const ClassObjectPublisher&) = delete;
  ClassObjectPublisher& operator=(const ClassObjectPublisher&) = delete;
  ~ClassObjectPublisher() { Withdraw(); }

  HRESULT Publish(IClassFactory* factory);
  void Withdraw() noexcept;

 private:
  common::ComPtr<IStream> stream_;  // holds the marshal data
  common::UniqueKernelHandle mapping_;
};

}  // namespace engine
