P|p|
N||
T1MC
E1MMC
E2C
ain5in6back5b
999999999999end
after