part
plate
O0007
