#pragma once
#include <memory>
#include <string>
#include <vector>

namespace vesko {

// The MIDI output the keyboard plays through. Devices are numbered from 0;
// at most one is open. Instruments are 1-based (instrument n is GM program n-1).
class MidiOutService {
 public:
  virtual ~MidiOutService() = default;
  virtual int deviceCount() = 0;
  virtual std::string deviceName(int index) = 0;
  virtual bool openDevice(int index) = 0;
  virtual bool isDeviceOpen() = 0;
  virtual bool closeDevice() = 0;
  virtual bool setInstrument(int n, int channel = 0) = 0;
  virtual int getInstrument(int channel = 0) = 0;
  virtual int instrumentCount() = 0;
  virtual std::string instrumentName(int n) = 0;
  virtual bool noteOn(int note, int channel = 0) = 0;
  virtual bool noteOff(int note, int channel = 0) = 0;
};

// One output device behind MidiOut: the built-in synthesizer or an ALSA port.
class MidiDevice {
 public:
  virtual ~MidiDevice() = default;
  virtual std::string name() const = 0;
  virtual bool open() = 0;
  // Ends every sounding note before letting go of the device.
  virtual void close() = 0;
  virtual bool isOpen() const = 0;
  virtual void send(const unsigned char* bytes, std::size_t size) = 0;
};

// The service over a fixed list of devices, found once at start.
class MidiOut : public MidiOutService {
 public:
  explicit MidiOut(std::vector<std::unique_ptr<MidiDevice>> devices);
  ~MidiOut() override;

  int deviceCount() override;
  std::string deviceName(int index) override;
  bool openDevice(int index) override;
  bool isDeviceOpen() override;
  bool closeDevice() override;
  bool setInstrument(int n, int channel = 0) override;
  int getInstrument(int channel = 0) override;
  int instrumentCount() override;
  std::string instrumentName(int n) override;
  bool noteOn(int note, int channel = 0) override;
  bool noteOff(int note, int channel = 0) override;

  MidiDevice* device(int index) const;

 private:
  void send3(int status, int data1, int data2);

  std::vector<std::unique_ptr<MidiDevice>> devices_;
  int open_ = -1;
  int instruments_[16];
};

// The 128 General MIDI Level 1 program names; n is 1 to 128, else "".
std::string generalMidiName(int n);

}  // namespace vesko
