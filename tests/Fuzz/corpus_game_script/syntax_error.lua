function Load(
