ADD/ set the last value
B2.5
